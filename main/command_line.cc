// Copyright 2026 The stable-graphs Authors.
#include "main/command_line.h"

#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace {

QuitFunction quit_function = exit;

/// Converts like atoi (leading white space, a sign, the digits up to the
/// first other character, 0 without digits), except that a number beyond
/// the range of int gives the nearest end of that range: atoi wraps it, so
/// that 4294967298 silently became genus 2.
int to_int(const char* text) {
  long value = strtol(text, nullptr, 10);
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

/// Reads a one-letter option value, or quits when it is not one of letters.
char option_letter(int argc, char** argv, int& index, const char* letters) {
  if (index + 1 >= argc) QuitWithUsage(argv[0]);
  const char* value = argv[++index];
  if (strlen(value) != 1 || strchr(letters, value[0]) == nullptr) QuitWithUsage(argv[0]);
  return value[0];
}

}  // namespace

QuitFunction SetQuitFunction(QuitFunction quit) {
  QuitFunction old = quit_function;
  quit_function = quit != nullptr ? quit : exit;
  return old;
}

const char* ProgramName(const char* argv0) { return argv0 != nullptr && argv0[0] != '\0' ? argv0 : "stable-graphs"; }

void QuitWithUsage(char* program) {
  fprintf(stderr, "Usage:\n\t%s [-P L|T|B|N] [-S F|T|N] [-C C] [-L] genus [marked_points]\n", ProgramName(program));
  fputs("\t\t-P L: print graphs in LaTeX (default)\n", stderr);
  fputs("\t\t-P T: print graphs in text format\n", stderr);
  fputs("\t\t-P B: print graphs in binary format\n", stderr);
  fputs("\t\t-P N: do not print graphs\n", stderr);
  fputs("\t\t\n", stderr);
  fputs("\t\t-S F: print full statistics (default)\n", stderr);
  fputs("\t\t-S T: print terse statistics\n", stderr);
  fputs("\t\t-S N: don't print statistics\n", stderr);
  fputs("\t\t\n", stderr);
  fputs("\t\t-C C: print only graphs with C edges\n", stderr);
  fputs("\t\t\n", stderr);
  fputs("\t\t-L: label the marked points 1 .. n\n", stderr);
  quit_function(1);
  abort();  // a quitting step that returns is a programming error
}

int ParseCommandLine(int argc, char** argv, int& genus, int& marked_points, int& edge_filter,
                     Printer& printer, Statistics& statistics, bool& labelled) {
  if (argc < 2) QuitWithUsage(argv[0]);
  genus = -1;
  marked_points = 0;
  edge_filter = -1;
  printer = PrinterLaTeX;
  statistics = StatisticsFull;
  labelled = false;
  bool genus_seen = false;
  bool marked_points_seen = false;
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if (arg[0] != '-') {
      if (!genus_seen) {
        genus = to_int(arg);
        genus_seen = true;
      } else if (!marked_points_seen) {
        marked_points = to_int(arg);
        marked_points_seen = true;
      } else {
        QuitWithUsage(argv[0]);
      }
      continue;
    }
    if (strlen(arg) != 2) QuitWithUsage(argv[0]);
    switch (arg[1]) {
      case 'C':
        if (i + 1 >= argc) QuitWithUsage(argv[0]);
        edge_filter = to_int(argv[++i]);
        break;
      case 'P':
        switch (option_letter(argc, argv, i, "LTBN")) {
          case 'L': printer = PrinterLaTeX; break;
          case 'T': printer = PrinterText; break;
          case 'B': printer = PrinterBinary; break;
          default: printer = PrinterNone; break;
        }
        break;
      case 'S':
        // The usage text has always offered N for "no statistics"; S is
        // accepted as well.
        switch (option_letter(argc, argv, i, "FTSN")) {
          case 'F': statistics = StatisticsFull; break;
          case 'T': statistics = StatisticsTerse; break;
          default: statistics = StatisticsNone; break;
        }
        break;
      case 'L':
        labelled = true;
        break;
      default:
        QuitWithUsage(argv[0]);
    }
  }
  if (genus == -1) QuitWithUsage(argv[0]);
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

std::string CapacityProblem(int g, int n) {
  if (g < 0) return "the genus must not be negative (got " + std::to_string(g) + ")";
  if (n < 0) return "the number of marked points must not be negative (got " + std::to_string(n) + ")";
  if (g > 8) return "genus " + std::to_string(g) + " is beyond the limit of 8 that a graph can hold";
  long long colored = 3LL * g + n - 2;  // bounds K plus the pairs with multiple edges
  if (colored > 31) {
    return "type (" + std::to_string(g) + ", " + std::to_string(n) +
           ") is beyond the limit 3 * genus + marked_points - 2 <= 31 (nauty takes at most 31 coloured vertices)";
  }
  return "";
}
