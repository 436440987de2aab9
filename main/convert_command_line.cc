// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "main/convert_command_line.h"

#include <errno.h>
#include <limits.h>
#include <stdlib.h>
#include <string.h>

namespace {

/// Reads a whole argument as a decimal int no smaller than minimum; unlike
/// atoi it refuses "3x", "" and out-of-range values, since a converter that
/// quietly titled a document with the wrong type would be worse than one
/// that stops.
bool parse_int(const char* text, long minimum, int& value) {
  char* end = nullptr;
  errno = 0;
  long parsed = strtol(text, &end, 10);
  if (end == text || *end != '\0' || errno != 0 || parsed < minimum || parsed > INT_MAX) return false;
  value = static_cast<int>(parsed);
  return true;
}

/// Takes a positional argument: the stream, then genus, then marked points.
bool take_positional(const char* arg, int& seen, ConvertSettings& settings) {
  switch (seen++) {
    case 0:
      // "-" names standard input explicitly, so that a type can follow it.
      settings.stream = strcmp(arg, "-") == 0 ? "" : arg;
      return true;
    case 1:
      settings.type_given = true;
      return parse_int(arg, 0, settings.genus);
    case 2:
      return parse_int(arg, 0, settings.marked_points);
    default:
      return false;
  }
}

/// Maps the letter after -P to a format.
bool take_format(const char* value, ConvertFormat& format) {
  static const char kLetters[] = "LTBJSDN";
  static const ConvertFormat kFormats[] = {ConvertLaTeX, ConvertText, ConvertBinary, ConvertJson,
                                           ConvertSage,  ConvertDot,  ConvertNone};
  const char* at = strlen(value) == 1 ? strchr(kLetters, value[0]) : nullptr;
  if (at == nullptr) return false;
  format = kFormats[at - kLetters];
  return true;
}

}  // namespace

bool ParseConvertCommandLine(int argc, char** argv, ConvertSettings& settings) {
  settings = ConvertSettings();
  int positional = 0;
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if (arg[0] != '-' || strcmp(arg, "-") == 0) {
      if (!take_positional(arg, positional, settings)) return false;
      continue;
    }
    // The GNU conventions: the answer replaces the conversion, whatever
    // follows.
    settings.help = strcmp(arg, "--help") == 0 || strcmp(arg, "-h") == 0;
    settings.version = strcmp(arg, "--version") == 0;
    if (settings.help || settings.version) return true;
    if (strlen(arg) != 2 || i + 1 >= argc) return false;
    const char* value = argv[++i];
    if (arg[1] == 'P') {
      if (!take_format(value, settings.format)) return false;
    } else if (arg[1] == 'C') {
      if (!parse_int(value, INT_MIN, settings.edge_filter)) return false;
    } else {
      return false;
    }
  }
  return true;
}

void PrintConvertUsage(FILE* out, const char* program) {
  fprintf(out, "Usage:\n\t%s [-P L|T|B|J|S|N] [-C C] [stream [genus [marked_points]]]\n", program);
  fputs("\t\t-P L: print graphs in LaTeX (default)\n", out);
  fputs("\t\t-P T: print graphs in text format\n", out);
  fputs("\t\t-P B: print graphs in binary format\n", out);
  fputs("\t\t-P J: print graphs as JSON Lines\n", out);
  fputs("\t\t-P S: print graphs as SageMath StableGraph lines\n", out);
  fputs("\t\t-P N: do not print graphs (only check the stream)\n", out);
  fputs("\t\t\n", out);
  fputs("\t\t-C C: print only graphs with C edges\n", out);
  fputs("\t\t\n", out);
  fputs("\t\tstream: the byte stream of stable-graphs -P B to read (default, or -: standard input)\n", out);
  fputs("\t\tgenus marked_points: the type for the title of -P L and -P T when the stream holds no graph;\n", out);
  fputs("\t\t\tchecked against the graphs otherwise\n", out);
}
