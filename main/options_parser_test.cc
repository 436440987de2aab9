// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "main/options_parser.h"

#include <gtest/gtest.h>
#include <limits.h>

#include <string>
#include <vector>

#include "graph/type_capacity.h"
#include "main/usage.h"
#include "testing/test_support.h"

namespace {

/// What a parse made of a command line: options, or a reason.
struct Parsed {
  bool good = false;
  std::string error;
  Options options;
};

/// Parses the arguments that follow the program name.
Parsed parse(Tool tool, std::vector<std::string> args) {
  args.insert(args.begin(), tool == Tool::kConvert ? "stable-graphs-convert" : "stable-graphs");
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(&arg[0]);
  argv.push_back(nullptr);
  Parsed parsed;
  parsed.good = ParseOptions(tool, static_cast<int>(args.size()), argv.data(), &parsed.options, &parsed.error);
  return parsed;
}

/// The options of a good command line of the enumerating tool.
Options accepted(const std::vector<std::string>& args) {
  Parsed parsed = parse(Tool::kEnumerate, args);
  EXPECT_TRUE(parsed.good) << "rejected: " << testing::PrintToString(args) << ": " << parsed.error;
  EXPECT_EQ("", parsed.error);
  return parsed.options;
}

/// The reason a command line of the enumerating tool is refused for.
std::string rejection(const std::vector<std::string>& args) {
  Parsed parsed = parse(Tool::kEnumerate, args);
  EXPECT_FALSE(parsed.good) << "accepted: " << testing::PrintToString(args);
  return parsed.error;
}

Options converted(const std::vector<std::string>& args) {
  Parsed parsed = parse(Tool::kConvert, args);
  EXPECT_TRUE(parsed.good) << "rejected: " << testing::PrintToString(args) << ": " << parsed.error;
  return parsed.options;
}

std::string convert_rejection(const std::vector<std::string>& args) {
  Parsed parsed = parse(Tool::kConvert, args);
  EXPECT_FALSE(parsed.good) << "accepted: " << testing::PrintToString(args);
  EXPECT_FALSE(parsed.error.empty());
  return parsed.error;
}

/// The type, filter, format and statistics of some options, to compare.
std::string summary(const Options& o) {
  return std::to_string(o.genus) + " " + std::to_string(o.marked_points) +
         (o.edge_filter ? " -C " + std::to_string(*o.edge_filter) : " all") + " -P " +
         std::to_string(static_cast<int>(o.format)) + " -S " + std::to_string(o.statistics) +
         (o.labelled ? " -L" : "") + (o.euler_check ? " -E" : "");
}

std::string summary(int genus, int marked_points, std::optional<int> edge_filter, Format format,
                    Statistics statistics) {
  Options o;
  o.genus = genus;
  o.marked_points = marked_points;
  o.edge_filter = edge_filter;
  o.format = format;
  o.statistics = statistics;
  return summary(o);
}

}  // namespace

TEST(ToolOptions, SingleGenusTakesTheDefaults) {
  EXPECT_EQ(summary(2, 0, std::nullopt, Format::kLaTeX, StatisticsFull), summary(accepted({"2"})));
  EXPECT_EQ(summary(3, 1, std::nullopt, Format::kLaTeX, StatisticsFull), summary(accepted({"3", "1"})));
  EXPECT_TRUE(accepted({"2"}).type_given);
  EXPECT_EQ(Request::kRun, accepted({"2"}).request);
}

TEST(ToolOptions, OptionsMayComeAnywhere) {
  std::string expected = summary(1, 2, std::nullopt, Format::kText, StatisticsFull);
  EXPECT_EQ(expected, summary(accepted({"-P", "T", "1", "2"})));
  EXPECT_EQ(expected, summary(accepted({"1", "-P", "T", "2"})));
  EXPECT_EQ(expected, summary(accepted({"1", "2", "-P", "T"})));
  EXPECT_EQ(summary(1, 3, 2, Format::kNone, StatisticsTerse),
            summary(accepted({"-S", "T", "1", "-C", "2", "3", "-P", "N"})));
}

TEST(ToolOptions, EveryPrinterAndStatisticsLetter) {
  const std::pair<const char*, Format> letters[] = {{"L", Format::kLaTeX}, {"T", Format::kText},
                                                    {"B", Format::kBinary}, {"N", Format::kNone},
                                                    {"J", Format::kJson},  {"S", Format::kSage},
                                                    {"D", Format::kDot}};
  for (auto [letter, format] : letters) EXPECT_EQ(format, accepted({"-P", letter, "1"}).format) << letter;
  EXPECT_EQ(Format::kContractions, accepted({"-P", "C", "1"}).format);
  EXPECT_EQ(Format::kHasse, accepted({"-P", "H", "1"}).format);
  EXPECT_TRUE(accepted({"--boundary-complex", "1", "2"}).boundary_complex);
  EXPECT_TRUE(converted({"s.bin", "--boundary-complex"}).boundary_complex);
  EXPECT_EQ(StatisticsFull, accepted({"-S", "F", "1"}).statistics);
  EXPECT_EQ(StatisticsTerse, accepted({"-S", "T", "1"}).statistics);
  EXPECT_EQ(StatisticsNone, accepted({"-S", "S", "1"}).statistics);
  // N, the letter the usage text shows, switches statistics off as well.
  EXPECT_EQ(StatisticsNone, accepted({"-S", "N", "1"}).statistics);
}

TEST(ToolOptions, LabelledPointsAndEulerCheckAnywhere) {
  std::string expected = summary(0, 5, std::nullopt, Format::kText, StatisticsFull) + " -L";
  EXPECT_EQ(expected, summary(accepted({"-L", "-P", "T", "0", "5"})));
  EXPECT_EQ(expected, summary(accepted({"0", "-P", "T", "-L", "5"})));
  EXPECT_EQ(expected, summary(accepted({"0", "5", "-L", "-P", "T", "-L"})));
  EXPECT_TRUE(accepted({"-E", "3"}).euler_check);
  EXPECT_TRUE(accepted({"3", "-E", "-L"}).euler_check);
  EXPECT_EQ("unknown option '-L1'", rejection({"-L1", "0", "5"}));
  EXPECT_EQ("unknown option '-l'", rejection({"-l", "0", "5"}));
  EXPECT_EQ("one number too many: '6' after genus and marked_points", rejection({"-L", "0", "5", "6"}));
}

TEST(ToolOptions, LastRepeatedOptionWins) {
  EXPECT_EQ(Format::kBinary, accepted({"-P", "T", "-P", "B", "1"}).format);
  EXPECT_EQ(StatisticsFull, accepted({"-S", "N", "-S", "F", "1"}).statistics);
  EXPECT_EQ(5, accepted({"-C", "2", "-C", "5", "1"}).edge_filter);
}

// A number is a decimal integer and nothing else: atoi read "2,1" as 2 and
// "two" as 0, and ran a type nobody asked for.
TEST(ToolOptions, NumbersAreDecimalIntegersOnly) {
  EXPECT_EQ("the genus must be a decimal integer, not '2,1'", rejection({"2,1"}));
  EXPECT_EQ("the genus must be a decimal integer, not 'g=2'", rejection({"g=2", "n=1"}));
  EXPECT_EQ("the genus must be a decimal integer, not 'two'", rejection({"two", "1"}));
  EXPECT_EQ("the genus must be a decimal integer, not 'x'", rejection({"x"}));
  EXPECT_EQ("the genus must be a decimal integer, not '3x'", rejection({"3x", "4"}));
  EXPECT_EQ("the genus must be a decimal integer, not ''", rejection({""}));
  EXPECT_EQ("the genus must be a decimal integer, not ' 2'", rejection({" 2"}));
  EXPECT_EQ("the genus must be a decimal integer, not '+'", rejection({"+"}));
  EXPECT_EQ("the number of marked points must be a decimal integer, not '4y'", rejection({"3", "4y"}));
  EXPECT_EQ("the number of marked points must be a decimal integer, not '1.0'", rejection({"3", "1.0"}));
  EXPECT_EQ("option -C takes a number of edges, not 'abc'", rejection({"-C", "abc", "1"}));
  EXPECT_EQ("option -C takes a number of edges, not '7x'", rejection({"-C", "7x", "1"}));
  EXPECT_EQ("option -C takes a number of edges, not '-P'", rejection({"-C", "-P", "1"}));
  // Signs and leading zeros are a decimal integer's own.
  EXPECT_EQ(summary(2147483646, 12, 0, Format::kLaTeX, StatisticsFull),
            summary(accepted({"2147483646", "+12", "-C", "-0"})));
  EXPECT_EQ(summary(7, 3, 5, Format::kLaTeX, StatisticsFull), summary(accepted({"007", "03", "-C", "+05"})));
}

TEST(ToolOptions, NumbersBeyondIntRefuseTheRun) {
  // Neither wrapped (2^32 + 2 is not 2, 2^64 - 1 not the -1 that means
  // "every graph") nor clamped (2^32 - 1 edges is not INT_MAX edges): the
  // command line is well formed, and the run is refused with one line
  // naming the number as typed.
  EXPECT_EQ("the genus 4294967298 is beyond the range the tools read (at most 2147483647)",
            accepted({"4294967298"}).number_refusal);
  EXPECT_EQ("the genus 18446744073709551615 is beyond the range the tools read (at most 2147483647)",
            accepted({"18446744073709551615"}).number_refusal);
  EXPECT_EQ("the genus 999999999999999999999999999999 is beyond the range the tools read (at most 2147483647)",
            accepted({"000999999999999999999999999999999"}).number_refusal);
  EXPECT_EQ("the number of marked points 4294967296 is beyond the range the tools read (at most 2147483647)",
            accepted({"1", "4294967296", "-C", "4294967295"}).number_refusal);
  EXPECT_EQ("the number of edges of -C 99999999999999999999 is beyond the range the tools read (at most "
            "2147483647)",
            accepted({"-C", "99999999999999999999", "2"}).number_refusal);
  EXPECT_EQ("option -C takes a number of edges, which must not be negative (got '-18446744073709551617')",
            rejection({"-C", "-18446744073709551617", "1"}));
  // The ends themselves convert exactly, like everything within them.
  Options largest = accepted({"2147483647", "-C", "2147483647"});
  EXPECT_EQ(INT_MAX, largest.genus);
  EXPECT_EQ(INT_MAX, largest.edge_filter);
  EXPECT_EQ("", largest.number_refusal);
  EXPECT_EQ("", accepted({"2147483646", "+12"}).number_refusal);
}

TEST(ToolOptions, RejectsMissingOrExtraArguments) {
  EXPECT_EQ("", rejection({})) << "no arguments: the bare usage";
  EXPECT_EQ("one number too many: '3' after genus and marked_points", rejection({"1", "2", "3"}));
  EXPECT_EQ("no genus given", rejection({"-P", "T"}));
  EXPECT_EQ("option -C needs a value (a number of edges)", rejection({"1", "-C"}));
  EXPECT_EQ("no genus given", rejection({"-C", "2"})) << "the 2 is the edge filter";
  EXPECT_EQ("option -P needs a value (L, T, B, J, S, D, C, H or N)", rejection({"1", "-P"}));
  EXPECT_EQ("option -S needs a value (F, T or N)", rejection({"1", "-S"}));
}

TEST(ToolOptions, RejectsMalformedOptions) {
  EXPECT_EQ("unknown option '-1'", rejection({"-1"}));
  EXPECT_EQ("unknown option '-10'", rejection({"-10", "1"}));
  EXPECT_EQ("unknown option '-'", rejection({"-", "1"}));
  EXPECT_EQ("unknown option '--'", rejection({"--", "1"}));
  EXPECT_EQ("unknown option '-PT' (an option's value is the next argument: -P T)", rejection({"-PT", "1"}));
  EXPECT_EQ("unknown option '-C2' (an option's value is the next argument: -C 2)", rejection({"-C2", "1"}));
  EXPECT_EQ("unknown option '-X'", rejection({"-X", "1"}));
  EXPECT_EQ("unknown option '-p'", rejection({"-p", "T", "1"}));
  EXPECT_EQ("unknown option '-c'", rejection({"1", "-c", "2"}));
  // The reason stays one line whatever the argument holds.
  EXPECT_EQ("unknown option '-?'", rejection({"-\n", "1"}));
  EXPECT_EQ("option -P takes L, T, B, J, S, D, C, H or N, not '?'", rejection({"-P", "\n", "1"}));
  EXPECT_EQ("the genus must be a decimal integer, not '1?2'", rejection({"1\x1b" "2"}));
}

TEST(ToolOptions, RejectsBadOptionValues) {
  for (const char* value : {"t", "TT", "", "X", "F", "d", "JS"})
    EXPECT_EQ(std::string("option -P takes L, T, B, J, S, D, C, H or N, not '") + value + "'",
              rejection({"-P", value, "1"}));
  for (const char* value : {"f", "L", "SS", ""})
    EXPECT_EQ(std::string("option -S takes F, T or N, not '") + value + "'", rejection({"-S", value, "1"}));
}

TEST(ToolOptions, RejectsNegativeCodimension) {
  EXPECT_EQ("option -C takes a number of edges, which must not be negative (got '-1')", rejection({"-C", "-1", "2"}));
  EXPECT_EQ("option -C takes a number of edges, which must not be negative (got '-5')",
            rejection({"-C", "-5", "2", "0"}));
}

TEST(ToolOptions, TypedNumbersForMessages) {
  // The first number beyond int is the one named, as typed.
  Options o = accepted({"0099999999999999", "123456789012345678"});
  EXPECT_EQ("the genus 99999999999999 is beyond the range the tools read (at most 2147483647)", o.number_refusal);
  // Within int, the capacity's figures are exact: 3 * (2^31 - 1) - 3.
  EXPECT_EQ("type (2147483647, 0) is beyond the capacity: its graphs need up to 6442450938 coloured vertices, "
            "nauty takes at most 32 (3 * genus + marked_points - 2 <= 32, or <= 33 with fewer than 2 marked points)",
            CapacityProblem(accepted({"2147483647"}).genus, 0));
}

TEST(ToolOptions, HelpAndVersionEndTheParse) {
  EXPECT_EQ(Request::kHelp, accepted({"--help"}).request);
  EXPECT_EQ(Request::kHelp, accepted({"-h", "junk", "-Q"}).request) << "whatever follows";
  EXPECT_EQ(Request::kVersion, accepted({"--version"}).request);
  EXPECT_EQ(Request::kHelp, accepted({"2", "--help"}).request);
  EXPECT_EQ("unknown option '-Q'", rejection({"-Q", "--help"})) << "a mistake before it counts";
}

TEST(ToolOptions, CheckpointOptionsComeOutFirst) {
  Options o = accepted({"--checkpoint", "cp", "-P", "N", "--output", "out.bin", "6", "--checkpoint-interval", "5"});
  EXPECT_EQ("cp", o.checkpoint.path);
  EXPECT_EQ("out.bin", o.checkpoint.output);
  EXPECT_EQ(5, o.checkpoint.interval_seconds);
  EXPECT_EQ((std::vector<std::string>{"-P", "N", "6"}), o.run_arguments) << "what a checkpoint records";
  EXPECT_EQ("", rejection({"--checkpoint", "cp"})) << "nothing else: the bare usage";
  EXPECT_EQ("option --checkpoint needs a value", rejection({"3", "--checkpoint"}));
}

TEST(ToolOptions, ModuliTypeAnywhereTheLastWinning) {
  EXPECT_EQ(ModuliType::kStable, accepted({"2", "3"}).moduli);
  EXPECT_EQ(ModuliType::kCompactType, accepted({"-M", "ct", "2", "3"}).moduli);
  EXPECT_EQ(ModuliType::kRationalTails, accepted({"2", "-M", "rt", "3"}).moduli);
  EXPECT_EQ(ModuliType::kTreeLike, accepted({"2", "3", "-M", "tl"}).moduli);
  EXPECT_EQ(ModuliType::kSmooth, accepted({"-M", "st", "2", "-M", "sm"}).moduli);
  EXPECT_EQ(ModuliType::kStable, accepted({"-M", "ct", "-M", "st", "2"}).moduli);
  EXPECT_EQ("option -M takes st, ct, rt, tl or sm, not '2'", rejection({"-M", "2", "3"}));
  EXPECT_EQ("option -M needs a value (st, ct, rt, tl or sm)", rejection({"2", "-M"}));
  EXPECT_EQ("option -M takes st, ct, rt, tl or sm, not 'Ct'", rejection({"-M", "Ct", "2"}));
  EXPECT_EQ("unknown option '-Mrt' (an option's value is the next argument: -M rt)", rejection({"-Mrt", "2"}));
}

// The default search writes the report the tool has always written; with
// no report, the fastest one runs.
TEST(ToolOptions, SearchFollowsTheReportUnlessChosen) {
  EXPECT_EQ(SearchKind::kOrderly, accepted({"2"}).search);
  EXPECT_EQ(SearchKind::kOrderly, accepted({"-S", "T", "2"}).search);
  EXPECT_EQ(SearchKind::kPruned, accepted({"-S", "N", "2"}).search);
  EXPECT_EQ(SearchKind::kPruned, accepted({"2", "-S", "N"}).search) << "wherever -S stands";
  EXPECT_EQ(SearchKind::kStored, accepted({"--search", "stored", "-S", "N", "2"}).search);
  EXPECT_EQ(SearchKind::kPruned, accepted({"--search", "pruned", "2"}).search);
  EXPECT_EQ(SearchKind::kOrderly, accepted({"-S", "N", "--search", "orderly", "2"}).search);
  EXPECT_EQ("option --search takes stored, orderly or pruned, not 'fast'", rejection({"--search", "fast", "2"}));
  EXPECT_EQ("option --search needs a value (stored, orderly or pruned)", rejection({"2", "--search"}));
  EXPECT_EQ("unknown option '--search'", convert_rejection({"--search", "pruned"}));
}

TEST(ConverterOptions, NoArgumentReadsStandardInputAsLaTeX) {
  Options o = converted({});
  EXPECT_EQ(Format::kLaTeX, o.format);
  EXPECT_EQ(std::nullopt, o.edge_filter);
  EXPECT_EQ("-", o.stream);
  EXPECT_FALSE(o.type_given);
  EXPECT_EQ(Tool::kConvert, o.tool);
}

TEST(ConverterOptions, EveryFormatLetter) {
  const std::pair<const char*, Format> letters[] = {{"L", Format::kLaTeX}, {"T", Format::kText},
                                                    {"B", Format::kBinary}, {"J", Format::kJson},
                                                    {"S", Format::kSage},  {"D", Format::kDot},
                                                    {"N", Format::kNone}};
  for (auto [letter, format] : letters) EXPECT_EQ(format, converted({"-P", letter}).format) << letter;
  EXPECT_EQ(Format::kText, converted({"-P", "J", "-P", "T"}).format) << "the last -P wins";
}

TEST(ConverterOptions, StreamThenType) {
  Options o = converted({"m21.bin", "2", "1"});
  EXPECT_EQ("m21.bin", o.stream);
  EXPECT_TRUE(o.type_given);
  EXPECT_EQ(2, o.genus);
  EXPECT_EQ(1, o.marked_points);
  o = converted({"-", "3"});
  EXPECT_EQ("-", o.stream) << "- is standard input";
  EXPECT_TRUE(o.type_given);
  EXPECT_EQ(3, o.genus);
  EXPECT_EQ(0, o.marked_points);
  EXPECT_FALSE(converted({"m.bin"}).type_given);
  EXPECT_TRUE(converted({"m.bin", "-E"}).euler_check);
}

TEST(ConverterOptions, OptionsAndArgumentsInAnyOrder) {
  for (auto args : std::vector<std::vector<std::string>>{{"-P", "J", "-C", "2", "s.bin", "1", "3"},
                                                         {"s.bin", "-C", "2", "1", "-P", "J", "3"},
                                                         {"s.bin", "1", "3", "-P", "J", "-C", "2"}}) {
    Options o = converted(args);
    EXPECT_EQ(Format::kJson, o.format);
    EXPECT_EQ(2, o.edge_filter);
    EXPECT_EQ("s.bin", o.stream);
    EXPECT_EQ(1, o.genus);
    EXPECT_EQ(3, o.marked_points);
  }
}

TEST(ConverterOptions, NumbersReadAsTheToolReadsThem) {
  EXPECT_EQ(0, converted({"-C", "0"}).edge_filter);
  EXPECT_EQ("the number of edges of -C 99999999999 is beyond the range the tools read (at most 2147483647)",
            converted({"-C", "99999999999"}).number_refusal);
  EXPECT_EQ("the genus 99999999999 is beyond the range the tools read (at most 2147483647)",
            converted({"s.bin", "99999999999", "2"}).number_refusal);
  EXPECT_EQ("option -C takes a number of edges, which must not be negative (got '-1')",
            convert_rejection({"-C", "-1"}));
  EXPECT_EQ("option -C takes a number of edges, not 'x'", convert_rejection({"-C", "x"}));
  EXPECT_EQ("option -C takes a number of edges, not ''", convert_rejection({"-C", ""}));
  EXPECT_EQ("the genus must be a decimal integer, not '3x'", convert_rejection({"s.bin", "3x", "2"}));
  EXPECT_EQ("the number of marked points must be a decimal integer, not ' 2'", convert_rejection({"s.bin", "3", " 2"}));
  EXPECT_EQ("the genus must be a decimal integer, not '2,1'", convert_rejection({"s.bin", "2,1"}));
}

TEST(ConverterOptions, ModuliTypeOfEveryName) {
  EXPECT_EQ(ModuliType::kStable, converted({"s.bin"}).moduli);
  EXPECT_EQ(ModuliType::kCompactType, converted({"-M", "ct", "s.bin"}).moduli);
  EXPECT_EQ(ModuliType::kRationalTails, converted({"s.bin", "-M", "rt", "2", "1"}).moduli);
  EXPECT_EQ(ModuliType::kTreeLike, converted({"s.bin", "2", "1", "-M", "tl"}).moduli);
  EXPECT_EQ(ModuliType::kSmooth, converted({"-M", "ct", "-M", "sm"}).moduli) << "the last -M wins";
  EXPECT_EQ("option -M takes st, ct, rt, tl or sm, not 'x'", convert_rejection({"-M", "x"}));
  EXPECT_EQ("option -M needs a value (st, ct, rt, tl or sm)", convert_rejection({"s.bin", "-M"}));
  EXPECT_EQ("unknown option '-Mct' (an option's value is the next argument: -M ct)", convert_rejection({"-Mct"}));
}

TEST(ConverterOptions, BadCommandLinesNameWhatIsWrong) {
  const std::pair<std::vector<std::string>, std::string> bad[] = {
      {{"-P"}, "option -P needs a value (L, T, B, J, S, D, C, H or N)"},
      {{"-P", "t"}, "option -P takes L, T, B, J, S, D, C, H or N, not 't'"},
      {{"-P", "TT"}, "option -P takes L, T, B, J, S, D, C, H or N, not 'TT'"},
      {{"-P", ""}, "option -P takes L, T, B, J, S, D, C, H or N, not ''"},
      {{"-C"}, "option -C needs a value (a number of edges)"},
      {{"-S", "N"}, "unknown option '-S'"},
      {{"-L"}, "unknown option '-L'"},
      {{"-X", "1"}, "unknown option '-X'"},
      {{"-PT"}, "unknown option '-PT' (an option's value is the next argument: -P T)"},
      {{"--"}, "unknown option '--'"},
      {{"--checkpoint", "x"}, "unknown option '--checkpoint'"},
      {{"s.bin", "1", "-2"}, "unknown option '-2'"},
      {{"s.bin", "1", "2", "3"}, "one argument too many: '3' after stream, genus and marked_points"},
  };
  for (const auto& [args, reason] : bad) EXPECT_EQ(reason, convert_rejection(args)) << testing::PrintToString(args);
}

TEST(Usage, TextsOfBothTools) {
  EXPECT_EQ(UsageText("/opt/bin/other-name"),
            CaptureOutput([](FILE* out) { PrintUsage(out, Tool::kEnumerate, "/opt/bin/other-name"); }));
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
      "\t\t\tchecked against the graphs otherwise\n"
      "Try 'conv --help' for every option.\n",
      CaptureOutput([](FILE* out) { PrintUsage(out, Tool::kConvert, "conv"); }));
}

// --help lists every option the parser takes, which the usage text for a
// mistake, kept as it always was, does not.
TEST(Usage, HelpListsEveryOption) {
  std::string tool = CaptureOutput([](FILE* out) { PrintHelp(out, Tool::kEnumerate, "sg"); });
  for (const char* option : {"-P L", "-P T", "-P B", "-P J", "-P S", "-P D", "-P N", "-S F", "-S T", "-S N", "-C C",
                             "-P C", "-P H", "--boundary-complex", "--search stored|orderly|pruned", "-L:", "-E:", "-M st", "-M ct", "-M rt", "-M tl", "-M sm", "--checkpoint FILE", "--checkpoint-interval SECONDS", "--output FILE",
                             "--help", "-h", "--version"})
    EXPECT_NE(std::string::npos, tool.find(option)) << option;
  EXPECT_EQ(0u, tool.find("Usage:\n\tsg ["));
  std::string converter = CaptureOutput([](FILE* out) { PrintHelp(out, Tool::kConvert, "conv"); });
  for (const char* option : {"-P L", "-P T", "-P B", "-P J", "-P S", "-P D", "-P N", "-C C", "-E:", "-M ct", "stream",
                             "--help", "-h", "--version"})
    EXPECT_NE(std::string::npos, converter.find(option)) << option;
  EXPECT_EQ(std::string::npos, converter.find("-L:")) << "the converter keeps the stream's labels";
}

TEST(Usage, ProgramNameFallsBackToTheTool) {
  EXPECT_STREQ("stable-graphs", ProgramName(nullptr));
  EXPECT_STREQ("stable-graphs", ProgramName(""));
  EXPECT_STREQ("stable-graphs-convert", ProgramName(nullptr, Tool::kConvert));
  EXPECT_STREQ("./sg", ProgramName("./sg"));
}

TEST(BannerTest, IsOneLineWithRevisionAndNauty) {
  for (int run = 0; run < 2; ++run) {
    testing::internal::CaptureStderr();
    PrintCompilationFlags();
    EXPECT_EQ("Compilation flags: R=27 USE_NAUTY \n", testing::internal::GetCapturedStderr()) << "call " << run;
  }
}
