// Copyright 2026 The stable-graphs Authors.
#ifndef STABLE_GRAPHS_MAIN_COMMAND_LINE_H_
#define STABLE_GRAPHS_MAIN_COMMAND_LINE_H_

#include <string>

#include "main/settings.h"

/// Turns the arguments into the six settings of a run; on a bad command
/// line it calls QuitWithUsage and does not return.  Returns 0.
int ParseCommandLine(int argc, char** argv, int& genus, int& marked_points, int& edge_filter,
                     Printer& printer, Statistics& statistics, bool& labelled);

/// Writes the usage text to standard error and ends the process with
/// status 1.
[[noreturn]] void QuitWithUsage(char* program);

/// The name to show in messages: argv0, or "stable-graphs" when a caller
/// started the process without one (an empty argument vector).
const char* ProgramName(const char* argv0);

/// Writes the banner line of build flags to standard error.
void PrintCompilationFlags();

/// How QuitWithUsage ends the process; tests install one that throws.
typedef void (*QuitFunction)(int status);
/// Replaces the quitting step (nullptr restores exit) and returns the old one.
QuitFunction SetQuitFunction(QuitFunction quit);

/// Empty when graphs of type (g, n) fit the model, else one line (without
/// line end) naming the limit that (g, n) exceeds.
std::string CapacityProblem(int g, int n);

#endif  // STABLE_GRAPHS_MAIN_COMMAND_LINE_H_
