// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_MAIN_COMMAND_LINE_H_
#define STABLE_GRAPHS_MAIN_COMMAND_LINE_H_

#include <string>

#include "graph/type_capacity.h"
#include "main/settings.h"

/// The genus and the number of marked points as typed, for messages about
/// numbers beyond the range of int (which the settings hold clamped).
struct TypedNumbers {
  std::string genus = "0";
  std::string marked_points = "0";
};

/// Turns the arguments into the five settings of a run (and, when typed is
/// given, the numbers as typed; when labelled is given, whether -L labels
/// the marked points; when euler_check is given, whether -E asks for the
/// Euler characteristic check; when boundary_complex is given, whether
/// --boundary-complex asks for its Euler characteristics); on a bad command line it calls
/// QuitWithUsage, with one line saying what is wrong when there are
/// arguments, and does not return.  Returns 0.
int ParseCommandLine(int argc, char** argv, int& genus, int& marked_points, int& edge_filter,
                     Printer& printer, Statistics& statistics, TypedNumbers* typed = nullptr,
                     bool* labelled = nullptr, bool* euler_check = nullptr, bool* boundary_complex = nullptr);

/// Writes the usage text to standard error and ends the process with
/// status 1.
[[noreturn]] void QuitWithUsage(char* program);
/// Writes "program: " and the reason (printf's format and arguments) on
/// one line, then the usage text, and ends the process with status 1.
[[noreturn]] void QuitWithUsage(char* program, const char* format, ...) __attribute__((format(printf, 2, 3)));

/// Writes the usage text to standard output and ends the process with
/// status 0, or 2 when standard output could not be written: the answer to
/// --help and -h.
[[noreturn]] void QuitWithHelp(char* program);

/// Writes the program's name and version to standard output and ends the
/// process like QuitWithHelp: the answer to --version.
[[noreturn]] void QuitWithVersion(char* program);

/// Replaces control characters (line ends, tabs, escapes) by '?', so that a
/// message quoting an argument stays one line.
void MakeOneLine(char* text);

/// The name to show in messages: argv0, or fallback when a caller started
/// the process without one (an empty argument vector or an empty name).
const char* ProgramName(const char* argv0, const char* fallback = "stable-graphs");

/// Writes the banner line of build flags to standard error.
void PrintCompilationFlags();

/// How QuitWithUsage ends the process; tests install one that throws.
typedef void (*QuitFunction)(int status);
/// Replaces the quitting step (nullptr restores exit) and returns the old one.
QuitFunction SetQuitFunction(QuitFunction quit);

#endif  // STABLE_GRAPHS_MAIN_COMMAND_LINE_H_
