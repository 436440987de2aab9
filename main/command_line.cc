// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "main/command_line.h"

#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#include "graph/printable_text.h"
#include "main/number_argument.h"
#include "main/standard_output.h"
#include "main/version.h"

namespace {

QuitFunction quit_function = exit;

/// Reads a one-letter option value, or quits naming what is wrong.
char option_letter(int argc, char** argv, int& index, const char* letters, const char* choices) {
  const char* option = argv[index];
  if (index + 1 >= argc) QuitWithUsage(argv[0], "option %s needs a value (%s)", option, choices);
  const char* value = argv[++index];
  if (strlen(value) != 1 || strchr(letters, value[0]) == nullptr)
    QuitWithUsage(argv[0], "option %s takes %s, not '%s'", option, choices, value);
  return value[0];
}

/// Quits for an argument that starts with '-' and is not an option; a
/// value glued to its option gets a hint.
[[noreturn]] void unknown_option(char* program, const char* arg) {
  if (strlen(arg) > 2 && strchr("CPS", arg[1]) != nullptr)
    QuitWithUsage(program, "unknown option '%s' (an option's value is the next argument: -%c %s)", arg, arg[1],
                  arg + 2);
  QuitWithUsage(program, "unknown option '%s'", arg);
}

}  // namespace

void MakeOneLine(char* text) { PrintableText(text).copy(text, strlen(text)); }

QuitFunction SetQuitFunction(QuitFunction quit) {
  QuitFunction old = quit_function;
  quit_function = quit != nullptr ? quit : exit;
  return old;
}

const char* ProgramName(const char* argv0, const char* fallback) {
  return argv0 != nullptr && argv0[0] != '\0' ? argv0 : fallback;
}

namespace {

/// Writes the usage text, naming the program as it was started.
void print_usage(FILE* file, char* program) {
  fprintf(file, "Usage:\n\t%s [-P L|T|B|N] [-S F|T|N] [-C C] genus [marked_points]\n", ProgramName(program));
  fputs("\t\t-P L: print graphs in LaTeX (default)\n", file);
  fputs("\t\t-P T: print graphs in text format\n", file);
  fputs("\t\t-P B: print graphs in binary format\n", file);
  fputs("\t\t-P N: do not print graphs\n", file);
  fputs("\t\t\n", file);
  fputs("\t\t-S F: print full statistics (default)\n", file);
  fputs("\t\t-S T: print terse statistics\n", file);
  fputs("\t\t-S N: don't print statistics\n", file);
  fputs("\t\t\n", file);
  fputs("\t\t-C C: print only graphs with C edges\n", file);
}

/// Ends with what became of standard output: an answer that was asked for
/// but lost (a full disk, a closed pipe) is a failure.
[[noreturn]] void quit_after_answer(char* program) {
  quit_function(FlushStandardOutput(ProgramName(program)) ? 0 : 2);
  abort();  // a quitting step that returns is a programming error
}

}  // namespace

void QuitWithUsage(char* program) {
  print_usage(stderr, program);
  quit_function(1);
  abort();  // a quitting step that returns is a programming error
}

// The reason is formatted into a buffer on the stack: exit runs no
// destructors, so a string on the heap would stay behind.
void QuitWithUsage(char* program, const char* format, ...) {
  char reason[1024];
  va_list arguments;
  va_start(arguments, format);
  vsnprintf(reason, sizeof(reason), format, arguments);
  va_end(arguments);
  MakeOneLine(reason);
  fprintf(stderr, "%s: %s\n", ProgramName(program), reason);
  QuitWithUsage(program);
}

void QuitWithHelp(char* program) {
  print_usage(stdout, program);
  quit_after_answer(program);
}

void QuitWithVersion(char* program) {
  PrintVersion(stdout, "stable-graphs");
  quit_after_answer(program);
}

int ParseCommandLine(int argc, char** argv, int& genus, int& marked_points, int& edge_filter,
                     Printer& printer, Statistics& statistics, TypedNumbers* typed, bool* labelled,
                     bool* euler_check) {
  if (argc < 2) QuitWithUsage(argv[0]);
  bool euler_check_unused;
  if (euler_check == nullptr) euler_check = &euler_check_unused;
  *euler_check = false;
  genus = -1;
  marked_points = 0;
  edge_filter = -1;
  printer = PrinterLaTeX;
  statistics = StatisticsFull;
  if (labelled != nullptr) *labelled = false;
  // The arguments themselves, not copies: exit, on a bad command line,
  // would leave copies on the heap.
  const char* genus_arg = nullptr;
  const char* marked_points_arg = nullptr;
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if (arg[0] != '-') {
      if (genus_arg == nullptr) {
        genus = ReadNumber(arg).value;
        genus_arg = arg;
      } else if (marked_points_arg == nullptr) {
        marked_points = ReadNumber(arg).value;
        marked_points_arg = arg;
      } else {
        QuitWithUsage(argv[0], "one number too many: '%s' after genus and marked_points", arg);
      }
      continue;
    }
    // The GNU conventions: the answer replaces the run, whatever follows.
    if (strcmp(arg, "--help") == 0 || strcmp(arg, "-h") == 0) QuitWithHelp(argv[0]);
    if (strcmp(arg, "--version") == 0) QuitWithVersion(argv[0]);
    if (strlen(arg) != 2) unknown_option(argv[0], arg);
    switch (arg[1]) {
      case 'C': {
        if (i + 1 >= argc) QuitWithUsage(argv[0], "option -C needs a value (a number of edges)");
        int value = ReadNumber(argv[++i]).value;
        if (value < 0)
          QuitWithUsage(argv[0], "option -C takes a number of edges, which must not be negative (got '%s')", argv[i]);
        edge_filter = value;
        break;
      }
      case 'P':
        // J, S and D are the converter's formats, written directly; the
        // usage text keeps its original four.
        switch (option_letter(argc, argv, i, "LTBNJSD", "L, T, B, J, S, D or N")) {
          case 'L': printer = PrinterLaTeX; break;
          case 'T': printer = PrinterText; break;
          case 'B': printer = PrinterBinary; break;
          case 'J': printer = PrinterJson; break;
          case 'S': printer = PrinterSage; break;
          case 'D': printer = PrinterDot; break;
          default: printer = PrinterNone; break;
        }
        break;
      case 'S':
        // The usage text has always offered N for "no statistics"; S is
        // accepted as well.
        switch (option_letter(argc, argv, i, "FTSN", "F, T or N")) {
          case 'F': statistics = StatisticsFull; break;
          case 'T': statistics = StatisticsTerse; break;
          default: statistics = StatisticsNone; break;
        }
        break;
      case 'L':
        if (labelled != nullptr) *labelled = true;
        break;
      case 'E':
        *euler_check = true;
        break;
      default:
        unknown_option(argv[0], arg);
    }
  }
  // A genus typed as " -1" is seen, and refused later as negative.
  if (genus_arg == nullptr) QuitWithUsage(argv[0], "no genus given");
  if (typed != nullptr) {
    typed->genus = ReadNumber(genus_arg).typed;
    if (marked_points_arg != nullptr) typed->marked_points = ReadNumber(marked_points_arg).typed;
  }
  return 0;
}

void PrintCompilationFlags() {
  static char r[] = "$Rev: 27 $";
  fputs("Compilation flags: ", stderr);
  // The number sits between "$Rev: " and the closing " $".
  fprintf(stderr, "R=%.*s ", static_cast<int>(strlen(r)) - 8, r + 6);
  fputs("USE_NAUTY ", stderr);
  fputs("\n", stderr);
}
