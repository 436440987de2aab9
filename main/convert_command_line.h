// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_MAIN_CONVERT_COMMAND_LINE_H_
#define STABLE_GRAPHS_MAIN_CONVERT_COMMAND_LINE_H_

#include <stdio.h>

#include <string>

/// What stable-graphs-convert writes.
enum ConvertFormat {
  ConvertLaTeX,
  ConvertText,
  ConvertBinary,
  ConvertJson,
  ConvertSage,
  ConvertDot,
  ConvertNone,
  ConvertContractions,
  ConvertHasse,
};

/// The settings of one conversion.
struct ConvertSettings {
  ConvertFormat format = ConvertLaTeX;
  /// -1: every graph; otherwise only the graphs with that many edges.
  int edge_filter = -1;
  /// -E: compare the graphs' Euler characteristic sums with the series.
  bool euler_check = false;
  /// --boundary-complex: report the boundary complex's Euler characteristics.
  bool boundary_complex = false;
  /// Path of the byte stream; "-" for standard input.
  std::string stream = "-";
  /// Whether genus (and maybe marked_points) came on the command line.
  bool type_given = false;
  int genus = 0;
  int marked_points = 0;
  /// The numbers as typed, for messages about values beyond int.
  std::string genus_text = "0";
  std::string marked_points_text = "0";
  /// --help or -h: write the usage text to standard output instead.
  bool help = false;
  /// --version: write the name and version to standard output instead.
  bool version = false;
};

/// Fills settings from the arguments of stable-graphs-convert, reading
/// numbers as stable-graphs does; false on a bad command line, which the
/// caller answers with the reason (one line, when reason is given) and the
/// usage text.
bool ParseConvertCommandLine(int argc, char** argv, ConvertSettings& settings, std::string* reason = nullptr);

/// Writes the usage text of stable-graphs-convert, naming it program.
void PrintConvertUsage(FILE* out, const char* program);

#endif  // STABLE_GRAPHS_MAIN_CONVERT_COMMAND_LINE_H_
