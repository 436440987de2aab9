// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "main/convert_command_line.h"

#include <gtest/gtest.h>
#include <stdio.h>
#include <limits.h>
#include <stdlib.h>

#include <string>
#include <vector>

namespace {

/// Parses the arguments after the program name into settings pre-set to
/// junk, so that a test sees which values the parser gave.
bool parse(std::vector<std::string> args, ConvertSettings& settings) {
  args.insert(args.begin(), "stable-graphs-convert");
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(&arg[0]);
  argv.push_back(nullptr);
  settings.format = ConvertNone;
  settings.edge_filter = 99;
  settings.stream = "junk";
  settings.type_given = true;
  settings.genus = settings.marked_points = 99;
  return ParseConvertCommandLine(static_cast<int>(args.size()), argv.data(), settings);
}

ConvertSettings parsed(const std::vector<std::string>& args) {
  ConvertSettings settings;
  EXPECT_TRUE(parse(args, settings)) << testing::PrintToString(args);
  return settings;
}

/// The reason given for a bad command line; empty when it was accepted.
std::string rejection(std::vector<std::string> args) {
  args.insert(args.begin(), "stable-graphs-convert");
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(&arg[0]);
  ConvertSettings settings;
  std::string reason;
  if (ParseConvertCommandLine(static_cast<int>(args.size()), argv.data(), settings, &reason)) return "";
  EXPECT_FALSE(reason.empty());
  return reason;
}

}  // namespace

TEST(ConvertCommandLine, NoArgumentReadsStandardInputAsLaTeX) {
  ConvertSettings settings = parsed({});
  EXPECT_EQ(ConvertLaTeX, settings.format);
  EXPECT_EQ(-1, settings.edge_filter);
  EXPECT_EQ("-", settings.stream);
  EXPECT_FALSE(settings.type_given);
}

TEST(ConvertCommandLine, EveryFormatLetter) {
  const std::pair<const char*, ConvertFormat> letters[] = {{"L", ConvertLaTeX}, {"T", ConvertText},
                                                           {"B", ConvertBinary}, {"J", ConvertJson},
                                                           {"S", ConvertSage},  {"D", ConvertDot},
                                                           {"N", ConvertNone},  {"C", ConvertContractions},
                                                           {"H", ConvertHasse}};
  for (auto [letter, format] : letters) EXPECT_EQ(format, parsed({"-P", letter}).format) << letter;
  EXPECT_EQ(ConvertText, parsed({"-P", "J", "-P", "T"}).format) << "the last -P wins";
}

TEST(ConvertCommandLine, BoundaryComplex) {
  EXPECT_FALSE(parsed({"m21.bin"}).boundary_complex);
  ConvertSettings settings = parsed({"--boundary-complex", "m21.bin", "-P", "N"});
  EXPECT_TRUE(settings.boundary_complex);
  EXPECT_EQ("m21.bin", settings.stream);
  EXPECT_EQ(ConvertNone, settings.format);
}

TEST(ConvertCommandLine, StreamThenType) {
  ConvertSettings settings = parsed({"m21.bin", "2", "1"});
  EXPECT_EQ("m21.bin", settings.stream);
  EXPECT_TRUE(settings.type_given);
  EXPECT_EQ(2, settings.genus);
  EXPECT_EQ(1, settings.marked_points);

  settings = parsed({"-", "3"});
  EXPECT_EQ("-", settings.stream) << "- is standard input";
  EXPECT_TRUE(settings.type_given);
  EXPECT_EQ(3, settings.genus);
  EXPECT_EQ(0, settings.marked_points);

  EXPECT_FALSE(parsed({"m.bin"}).type_given);
}

TEST(ConvertCommandLine, OptionsAndArgumentsInAnyOrder) {
  for (auto args : std::vector<std::vector<std::string>>{{"-P", "J", "-C", "2", "s.bin", "1", "3"},
                                                         {"s.bin", "-C", "2", "1", "-P", "J", "3"},
                                                         {"s.bin", "1", "3", "-P", "J", "-C", "2"}}) {
    ConvertSettings settings = parsed(args);
    EXPECT_EQ(ConvertJson, settings.format);
    EXPECT_EQ(2, settings.edge_filter);
    EXPECT_EQ("s.bin", settings.stream);
    EXPECT_EQ(1, settings.genus);
    EXPECT_EQ(3, settings.marked_points);
  }
}

TEST(ConvertCommandLine, EdgeFilterTakesNoNegativeNumber) {
  EXPECT_EQ(0, parsed({"-C", "0"}).edge_filter);
  EXPECT_EQ(7, parsed({"-C", "7"}).edge_filter);
  EXPECT_EQ("option -C takes a number of edges, which must not be negative (got '-1')", rejection({"-C", "-1"}));
  EXPECT_EQ("option -C takes a number of edges, which must not be negative (got '-7')", rejection({"-C", "-7"}));
}

// Numbers are read as stable-graphs reads them: like atoi, held within int.
TEST(ConvertCommandLine, NumbersReadAsTheToolReadsThem) {
  EXPECT_EQ(0, parsed({"-C", "x"}).edge_filter);
  EXPECT_EQ(3, parsed({"-C", "3x"}).edge_filter);
  EXPECT_EQ(0, parsed({"-C", ""}).edge_filter);
  EXPECT_EQ(INT_MAX, parsed({"-C", "99999999999"}).edge_filter);
  ConvertSettings settings = parsed({"s.bin", "3x", " 2"});
  EXPECT_EQ(3, settings.genus);
  EXPECT_EQ(2, settings.marked_points);
  settings = parsed({"s.bin", "99999999999", " -1"});
  EXPECT_EQ(INT_MAX, settings.genus);
  EXPECT_EQ("99999999999", settings.genus_text);
  EXPECT_EQ(-1, settings.marked_points);
  EXPECT_EQ(0, parsed({"s.bin", "x"}).genus);
}

TEST(ConvertCommandLine, BadCommandLinesNameWhatIsWrong) {
  const std::pair<std::vector<std::string>, std::string> bad[] = {
      {{"-P"}, "option -P needs a value (L, T, B, J, S, D, C, H or N)"},
      {{"-P", "t"}, "option -P takes L, T, B, J, S, D, C, H or N, not 't'"},
      {{"-P", "TT"}, "option -P takes L, T, B, J, S, D, C, H or N, not 'TT'"},
      {{"-P", "X"}, "option -P takes L, T, B, J, S, D, C, H or N, not 'X'"},
      {{"-P", ""}, "option -P takes L, T, B, J, S, D, C, H or N, not ''"},
      {{"-C"}, "option -C needs a value (a number of edges)"},
      {{"-S", "N"}, "unknown option '-S'"},
      {{"-X", "1"}, "unknown option '-X'"},
      {{"-Q"}, "unknown option '-Q'"},
      {{"-PT"}, "unknown option '-PT' (an option's value is the next argument: -P T)"},
      {{"--"}, "unknown option '--'"},
      {{"s.bin", "1", "-2"}, "unknown option '-2'"},
      {{"s.bin", "1", "2", "3"}, "one argument too many: '3' after stream, genus and marked_points"},
  };
  for (const auto& [args, reason] : bad) EXPECT_EQ(reason, rejection(args)) << testing::PrintToString(args);
}

TEST(ConvertCommandLine, UsageText) {
  char* buffer = nullptr;
  size_t size = 0;
  FILE* out = open_memstream(&buffer, &size);
  PrintConvertUsage(out, "conv");
  fclose(out);
  std::string text(buffer, size);
  free(buffer);
  EXPECT_EQ(
      "Usage:\n\tconv [-P L|T|B|J|S|N] [-C C] [stream [genus [marked_points]]]\n"
      "\t\t-P L: print graphs in LaTeX (default)\n"
      "\t\t-P T: print graphs in text format\n"
      "\t\t-P B: print graphs in binary format\n"
      "\t\t-P J: print graphs as JSON Lines\n"
      "\t\t-P S: print graphs as SageMath StableGraph lines\n"
      "\t\t-P N: do not print graphs (only check the stream)\n"
      "\t\t\n"
      "\t\t-C C: print only graphs with C edges\n"
      "\t\t\n"
      "\t\tstream: the byte stream of stable-graphs -P B to read (default, or -: standard input)\n"
      "\t\tgenus marked_points: the type for the title of -P L and -P T when the stream holds no graph;\n"
      "\t\t\tchecked against the graphs otherwise\n",
      text);
}
