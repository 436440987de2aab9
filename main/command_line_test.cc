// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "main/command_line.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "main/test_support.h"

namespace {

const char kProgram[] = "stable-graphs";

/// Thrown by the quitting step installed below, so that a test survives
/// QuitWithUsage.
struct Quit {
  int status;
};

void ThrowQuit(int status) { throw Quit{status}; }

/// The five settings of a parse, each pre-set to junk so that a test sees
/// whether the parser gave it a value.
struct Settings {
  int genus = 99;
  int marked_points = 99;
  int edge_filter = 99;
  Printer printer = static_cast<Printer>(99);
  Statistics statistics = static_cast<Statistics>(99);
  bool labelled = true;

  bool operator==(const Settings& o) const {
    return genus == o.genus && marked_points == o.marked_points && edge_filter == o.edge_filter &&
           printer == o.printer && statistics == o.statistics && labelled == o.labelled;
  }
};

std::ostream& operator<<(std::ostream& out, const Settings& s) {
  return out << "{genus " << s.genus << ", marked " << s.marked_points << ", filter " << s.edge_filter
             << ", printer " << s.printer << ", statistics " << s.statistics << ", labelled " << s.labelled << "}";
}

Settings Make(int genus, int marked_points, int edge_filter, Printer printer, Statistics statistics) {
  Settings s;
  s.genus = genus;
  s.marked_points = marked_points;
  s.edge_filter = edge_filter;
  s.printer = printer;
  s.statistics = statistics;
  s.labelled = false;
  return s;
}

/// What a call of ParseCommandLine did: either settings, or a quit with a
/// status and what went to standard error.
struct Outcome {
  bool quit = false;
  int status = 0;
  std::string err;
  Settings settings;
};

class CommandLineTest : public testing::Test {
 protected:
  void SetUp() override { previous_ = SetQuitFunction(ThrowQuit); }
  void TearDown() override { SetQuitFunction(previous_); }

  /// Parses the arguments that follow the program name.
  static Outcome Parse(const std::vector<std::string>& args) {
    std::vector<std::string> words = {kProgram};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(&word[0]);
    argv.push_back(nullptr);
    Outcome outcome;
    Settings& s = outcome.settings;
    testing::internal::CaptureStderr();
    try {
      int result = ParseCommandLine(static_cast<int>(words.size()), argv.data(), s.genus, s.marked_points,
                                    s.edge_filter, s.printer, s.statistics, nullptr, &s.labelled);
      EXPECT_EQ(0, result);
    } catch (const Quit& quit) {
      outcome.quit = true;
      outcome.status = quit.status;
    }
    outcome.err = testing::internal::GetCapturedStderr();
    return outcome;
  }

  /// The settings of a good command line, which writes nothing.
  static Settings Accepted(const std::vector<std::string>& args) {
    Outcome outcome = Parse(args);
    EXPECT_FALSE(outcome.quit) << "rejected: " << testing::PrintToString(args);
    EXPECT_EQ("", outcome.err);
    return outcome.settings;
  }

  /// A bad command line: status 1, the usage text, and before it one line
  /// naming what is wrong (the bare usage for no argument at all).
  static void ExpectRejected(const std::vector<std::string>& args, const std::string& reason = "") {
    Outcome outcome = Parse(args);
    ASSERT_TRUE(outcome.quit) << "accepted: " << testing::PrintToString(args);
    EXPECT_EQ(1, outcome.status) << testing::PrintToString(args);
    if (args.empty()) {
      EXPECT_EQ(UsageText(kProgram), outcome.err);
      return;
    }
    size_t line_end = outcome.err.find('\n');
    ASSERT_NE(std::string::npos, line_end) << outcome.err;
    std::string first = outcome.err.substr(0, line_end);
    EXPECT_EQ(0u, first.find(std::string(kProgram) + ": ")) << first;
    if (!reason.empty()) {
      EXPECT_EQ(std::string(kProgram) + ": " + reason, first);
    }
    EXPECT_EQ(UsageText(kProgram), outcome.err.substr(line_end + 1)) << testing::PrintToString(args);
  }

 private:
  QuitFunction previous_ = nullptr;
};

TEST_F(CommandLineTest, SingleGenusTakesTheDefaults) {
  EXPECT_EQ(Make(2, 0, -1, PrinterLaTeX, StatisticsFull), Accepted({"2"}));
  EXPECT_EQ(Make(3, 1, -1, PrinterLaTeX, StatisticsFull), Accepted({"3", "1"}));
}

TEST_F(CommandLineTest, OptionsMayComeAnywhere) {
  Settings expected = Make(1, 2, -1, PrinterText, StatisticsFull);
  EXPECT_EQ(expected, Accepted({"-P", "T", "1", "2"}));
  EXPECT_EQ(expected, Accepted({"1", "-P", "T", "2"}));
  EXPECT_EQ(expected, Accepted({"1", "2", "-P", "T"}));
  EXPECT_EQ(Make(1, 3, 2, PrinterNone, StatisticsTerse), Accepted({"-S", "T", "1", "-C", "2", "3", "-P", "N"}));
}

TEST_F(CommandLineTest, EveryPrinterAndStatisticsLetter) {
  EXPECT_EQ(PrinterLaTeX, Accepted({"-P", "L", "1"}).printer);
  EXPECT_EQ(PrinterText, Accepted({"-P", "T", "1"}).printer);
  EXPECT_EQ(PrinterBinary, Accepted({"-P", "B", "1"}).printer);
  EXPECT_EQ(PrinterNone, Accepted({"-P", "N", "1"}).printer);
  EXPECT_EQ(PrinterJson, Accepted({"-P", "J", "1"}).printer);
  EXPECT_EQ(PrinterSage, Accepted({"-P", "S", "1"}).printer);
  EXPECT_EQ(PrinterDot, Accepted({"-P", "D", "1"}).printer);
  EXPECT_EQ(PrinterContractions, Accepted({"-P", "C", "1"}).printer);
  EXPECT_EQ(PrinterHasse, Accepted({"-P", "H", "1"}).printer);
  EXPECT_EQ(StatisticsFull, Accepted({"-S", "F", "1"}).statistics);
  EXPECT_EQ(StatisticsTerse, Accepted({"-S", "T", "1"}).statistics);
  EXPECT_EQ(StatisticsNone, Accepted({"-S", "S", "1"}).statistics);
  // N, the letter the usage text shows, switches statistics off as well.
  EXPECT_EQ(StatisticsNone, Accepted({"-S", "N", "1"}).statistics);
}

TEST_F(CommandLineTest, LabelledPointsAnywhere) {
  Settings expected = Make(0, 5, -1, PrinterText, StatisticsFull);
  expected.labelled = true;
  EXPECT_EQ(expected, Accepted({"-L", "-P", "T", "0", "5"}));
  EXPECT_EQ(expected, Accepted({"0", "-P", "T", "-L", "5"}));
  EXPECT_EQ(expected, Accepted({"0", "5", "-L", "-P", "T", "-L"}));
  ExpectRejected({"-L1", "0", "5"});
  ExpectRejected({"-l", "0", "5"});
  ExpectRejected({"-L", "0", "5", "6"});
}

TEST_F(CommandLineTest, LastRepeatedOptionWins) {
  EXPECT_EQ(PrinterBinary, Accepted({"-P", "T", "-P", "B", "1"}).printer);
  EXPECT_EQ(StatisticsFull, Accepted({"-S", "N", "-S", "F", "1"}).statistics);
  EXPECT_EQ(5, Accepted({"-C", "2", "-C", "5", "1"}).edge_filter);
}

TEST_F(CommandLineTest, EdgeFilterConsumesWhateverFollows) {
  // -P is the value of -C here, not an option.
  EXPECT_EQ(Make(1, 0, 0, PrinterLaTeX, StatisticsFull), Accepted({"-C", "-P", "1"}));
  EXPECT_EQ(0, Accepted({"-C", "abc", "1"}).edge_filter);
  EXPECT_EQ(7, Accepted({"-C", "7x", "1"}).edge_filter);
}

TEST_F(CommandLineTest, NumbersConvertLikeAtoi) {
  EXPECT_EQ(Make(0, 0, -1, PrinterLaTeX, StatisticsFull), Accepted({"x"}));
  EXPECT_EQ(Make(3, 4, -1, PrinterLaTeX, StatisticsFull), Accepted({"3x", "4y"}));
  EXPECT_EQ(0, Accepted({""}).genus);
  // White space before the minus sign keeps a negative number positional;
  // the parser bounds nothing.
  EXPECT_EQ(Make(-2, -3, -1, PrinterLaTeX, StatisticsFull), Accepted({" -2", " -3"}));
  EXPECT_EQ(Make(1, 40, -1, PrinterLaTeX, StatisticsFull), Accepted({"1", "40"}));
}

TEST_F(CommandLineTest, NumbersBeyondIntStopAtItsEnds) {
  // Wrapping would turn 2^32 + 2 into 2, and 2^64 - 1 into the -1 that
  // means "no genus" or "every graph".
  EXPECT_EQ(INT_MAX, Accepted({"4294967298"}).genus);
  EXPECT_EQ(INT_MAX, Accepted({"18446744073709551615"}).genus);
  EXPECT_EQ(INT_MAX, Accepted({"999999999999999999999999999999"}).genus);
  EXPECT_EQ(INT_MIN, Accepted({" -4294967298"}).genus);
  EXPECT_EQ(Make(1, INT_MAX, INT_MAX, PrinterLaTeX, StatisticsFull), Accepted({"1", "4294967296", "-C", "4294967295"}));
  ExpectRejected({"-C", "-18446744073709551617", "1"},
                 "option -C takes a number of edges, which must not be negative (got '-18446744073709551617')");
  // The ends themselves convert exactly, like everything within them.
  EXPECT_EQ(Make(INT_MAX, INT_MIN, -1, PrinterLaTeX, StatisticsFull), Accepted({"2147483647", " -2147483648"}));
  EXPECT_EQ(Make(2147483646, 12, -1, PrinterLaTeX, StatisticsFull), Accepted({"2147483646", "+12"}));
}

TEST_F(CommandLineTest, EmptyArgumentVectorQuitsWithAName) {
  char* argv[] = {nullptr};
  Settings s;
  testing::internal::CaptureStderr();
  int status = -1;
  try {
    ParseCommandLine(0, argv, s.genus, s.marked_points, s.edge_filter, s.printer, s.statistics, nullptr, &s.labelled);
  } catch (const Quit& quit) {
    status = quit.status;
  }
  EXPECT_EQ(UsageText(kProgram), testing::internal::GetCapturedStderr());
  EXPECT_EQ(1, status);
  EXPECT_STREQ("stable-graphs", ProgramName(nullptr));
  EXPECT_STREQ("stable-graphs", ProgramName(""));
  EXPECT_STREQ("./sg", ProgramName("./sg"));
}

TEST_F(CommandLineTest, RejectsMissingOrExtraArguments) {
  ExpectRejected({});
  ExpectRejected({"1", "2", "3"}, "one number too many: '3' after genus and marked_points");
  ExpectRejected({"-P", "T"}, "no genus given");
  ExpectRejected({"1", "-C"}, "option -C needs a value (a number of edges)");
  ExpectRejected({"-C", "2"}, "no genus given");  // the 2 is the edge filter
  ExpectRejected({"1", "-P"}, "option -P needs a value (L, T, B, J, S, D, C, H or N)");
  ExpectRejected({"1", "-S"}, "option -S needs a value (F, T or N)");
}

// A genus typed with white space before its minus sign is a genus: the run
// refuses it as negative, not as a missing genus.
TEST_F(CommandLineTest, NegativeGenusIsAGenus) {
  EXPECT_EQ(Make(-1, 0, -1, PrinterLaTeX, StatisticsFull), Accepted({" -1"}));
  EXPECT_EQ(Make(-1, 2, -1, PrinterLaTeX, StatisticsFull), Accepted({" -1", "2"}));
}

TEST_F(CommandLineTest, RejectsMalformedOptions) {
  ExpectRejected({"-1"}, "unknown option '-1'");
  ExpectRejected({"-10", "1"}, "unknown option '-10'");
  ExpectRejected({"-", "1"}, "unknown option '-'");
  ExpectRejected({"--", "1"}, "unknown option '--'");
  ExpectRejected({"-PT", "1"}, "unknown option '-PT' (an option's value is the next argument: -P T)");
  ExpectRejected({"-C2", "1"}, "unknown option '-C2' (an option's value is the next argument: -C 2)");
  ExpectRejected({"-X", "1"}, "unknown option '-X'");
  ExpectRejected({"-Q", "1"}, "unknown option '-Q'");
  ExpectRejected({"-p", "T", "1"}, "unknown option '-p'");
  ExpectRejected({"1", "-c", "2"}, "unknown option '-c'");
  // The reason stays one line whatever the argument holds.
  ExpectRejected({"-\n", "1"}, "unknown option '-?'");
  ExpectRejected({"-P", "\n", "1"}, "option -P takes L, T, B, J, S, D, C, H or N, not '?'");
}

TEST_F(CommandLineTest, RejectsBadOptionValues) {
  ExpectRejected({"-P", "t", "1"}, "option -P takes L, T, B, J, S, D, C, H or N, not 't'");
  ExpectRejected({"-P", "TT", "1"}, "option -P takes L, T, B, J, S, D, C, H or N, not 'TT'");
  ExpectRejected({"-P", "", "1"}, "option -P takes L, T, B, J, S, D, C, H or N, not ''");
  ExpectRejected({"-P", "X", "1"}, "option -P takes L, T, B, J, S, D, C, H or N, not 'X'");
  ExpectRejected({"-P", "F", "1"}, "option -P takes L, T, B, J, S, D, C, H or N, not 'F'");
  ExpectRejected({"-P", "d", "1"}, "option -P takes L, T, B, J, S, D, C, H or N, not 'd'");
  ExpectRejected({"-P", "JS", "1"}, "option -P takes L, T, B, J, S, D, C, H or N, not 'JS'");
  ExpectRejected({"-S", "f", "1"}, "option -S takes F, T or N, not 'f'");
  ExpectRejected({"-S", "L", "1"});
  ExpectRejected({"-S", "SS", "1"});
  ExpectRejected({"-S", "", "1"});
}

TEST_F(CommandLineTest, RejectsNegativeCodimension) {
  ExpectRejected({"-C", "-1", "2"}, "option -C takes a number of edges, which must not be negative (got '-1')");
  ExpectRejected({"-C", "-5", "2", "0"}, "option -C takes a number of edges, which must not be negative (got '-5')");
  ExpectRejected({"-C", " -3", "2"}, "option -C takes a number of edges, which must not be negative (got ' -3')");
  EXPECT_EQ(0, Accepted({"-C", "-0", "2"}).edge_filter);
}

TEST_F(CommandLineTest, TypedNumbersForMessages) {
  std::vector<std::string> words = {kProgram, "0099999999999999x", " -000123456789012345678"};
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(&word[0]);
  Settings s;
  TypedNumbers typed;
  ParseCommandLine(3, argv.data(), s.genus, s.marked_points, s.edge_filter, s.printer, s.statistics, &typed);
  EXPECT_EQ(INT_MAX, s.genus);
  EXPECT_EQ(INT_MIN, s.marked_points);
  EXPECT_EQ("99999999999999", typed.genus);
  EXPECT_EQ("-123456789012345678", typed.marked_points);
  EXPECT_EQ("type (99999999999999, 0) is beyond the capacity: its graphs need up to 6442450938 coloured vertices, "
            "nauty takes at most 32 (3 * genus + marked_points - 2 <= 32, or <= 33 with fewer than 2 marked points)",
            CapacityProblem(s.genus, 0, typed.genus, "0"));
  EXPECT_EQ("the number of marked points must not be negative (got -123456789012345678)",
            CapacityProblem(0, s.marked_points, "0", typed.marked_points));
}

TEST_F(CommandLineTest, UsageNamesTheInvokedProgram) {
  std::string program = "/opt/bin/other-name";
  char* argv[] = {&program[0], nullptr};
  int genus, marked_points, edge_filter;
  Printer printer;
  Statistics statistics;
  bool labelled;
  testing::internal::CaptureStderr();
  int status = -1;
  try {
    ParseCommandLine(1, argv, genus, marked_points, edge_filter, printer, statistics, nullptr, &labelled);
  } catch (const Quit& quit) {
    status = quit.status;
  }
  EXPECT_EQ(UsageText(program), testing::internal::GetCapturedStderr());
  EXPECT_EQ(1, status);
}

TEST(BannerTest, IsOneLineWithRevisionAndNauty) {
  for (int run = 0; run < 2; ++run) {
    testing::internal::CaptureStderr();
    PrintCompilationFlags();
    EXPECT_EQ("Compilation flags: R=27 USE_NAUTY \n", testing::internal::GetCapturedStderr()) << "call " << run;
  }
}

}  // namespace
