// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "main/convert_command_line.h"

#include <string.h>

#include <string>

#include "main/number_argument.h"

namespace {

/// Takes a positional argument: the stream, then genus, then marked points.
/// Numbers are read as stable-graphs reads them.
bool take_positional(const char* arg, int& seen, ConvertSettings& settings, std::string& reason) {
  switch (seen++) {
    case 0:
      // "-" names standard input explicitly, so that a type can follow it;
      // an empty path is a missing file like any other.
      settings.stream = arg;
      return true;
    case 1: {
      NumberArgument number = ReadNumber(arg);
      settings.type_given = true;
      settings.genus = number.value;
      settings.genus_text = number.typed;
      return true;
    }
    case 2: {
      NumberArgument number = ReadNumber(arg);
      settings.marked_points = number.value;
      settings.marked_points_text = number.typed;
      return true;
    }
    default:
      reason = std::string("one argument too many: '") + arg + "' after stream, genus and marked_points";
      return false;
  }
}

/// Maps the letter after -P to a format.
bool take_format(const char* value, ConvertFormat& format) {
  static const char kLetters[] = "LTBJSDNCH";
  static const ConvertFormat kFormats[] = {ConvertLaTeX, ConvertText, ConvertBinary,       ConvertJson, ConvertSage,
                                           ConvertDot,   ConvertNone, ConvertContractions, ConvertHasse};
  const char* at = strlen(value) == 1 ? strchr(kLetters, value[0]) : nullptr;
  if (at == nullptr) return false;
  format = kFormats[at - kLetters];
  return true;
}

/// Reads the option at argv[i] and its value; false with a reason when
/// either is wrong.
/// Notes --help, -h or --version in settings; false for any other argument.
bool take_request(const char* arg, ConvertSettings& settings) {
  settings.help = strcmp(arg, "--help") == 0 || strcmp(arg, "-h") == 0;
  settings.version = strcmp(arg, "--version") == 0;
  return settings.help || settings.version;
}

bool take_option(int argc, char** argv, int& i, ConvertSettings& settings, std::string& reason) {
  std::string option = argv[i];
  if (option.size() != 2 || (option[1] != 'P' && option[1] != 'C')) {
    reason = "unknown option '" + option + "'";
    if (option.size() > 2 && (option[1] == 'P' || option[1] == 'C'))
      reason += " (an option's value is the next argument: " + option.substr(0, 2) + " " + option.substr(2) + ")";
    return false;
  }
  bool format = option[1] == 'P';
  if (i + 1 >= argc) {
    reason = "option " + option + (format ? " needs a value (L, T, B, J, S, D, C, H or N)" : " needs a value (a number of edges)");
    return false;
  }
  const char* value = argv[++i];
  if (format) {
    if (take_format(value, settings.format)) return true;
    reason = "option -P takes L, T, B, J, S, D, C, H or N, not '" + std::string(value) + "'";
    return false;
  }
  NumberArgument number = ReadNumber(value);
  if (number.value < 0) {
    reason = "option -C takes a number of edges, which must not be negative (got '" + std::string(value) + "')";
    return false;
  }
  settings.edge_filter = number.value;
  return true;
}

}  // namespace

bool ParseConvertCommandLine(int argc, char** argv, ConvertSettings& settings, std::string* reason) {
  settings = ConvertSettings();
  std::string why;
  int positional = 0;
  bool good = true;
  for (int i = 1; good && i < argc; ++i) {
    const char* arg = argv[i];
    if (arg[0] != '-' || strcmp(arg, "-") == 0) {
      good = take_positional(arg, positional, settings, why);
    } else if (take_request(arg, settings)) {
      break;  // the GNU conventions: the answer replaces the conversion
    } else if (strcmp(arg, "-E") == 0) {
      settings.euler_check = true;
    } else if (strcmp(arg, "--boundary-complex") == 0) {
      settings.boundary_complex = true;
    } else {
      good = take_option(argc, argv, i, settings, why);
    }
  }
  if (reason != nullptr) *reason = why;
  return good;
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
