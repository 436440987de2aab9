// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "main/large_run_warning.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "main/options_parser.h"
#include "testing/test_process.h"

namespace {

Options parsed(std::vector<std::string> args) {
  args.insert(args.begin(), "stable-graphs");
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(&arg[0]);
  Options options;
  std::string error;
  EXPECT_TRUE(ParseOptions(Tool::kEnumerate, static_cast<int>(argv.size()), argv.data(), &options, &error)) << error;
  return options;
}

// Counts this tool wrote (and genus 10's projection), unlabelled and
// labelled: the projection stays within a factor of 1.5 of each.
TEST(ProjectedGraphs, NearTheKnownCounts) {
  struct Known {
    int g, n;
    bool labelled;
    double graphs;
  };
  for (const Known& known : {Known{9, 0, false, 659639165}, Known{8, 0, false, 27297406},
                             Known{7, 0, false, 1281678}, Known{10, 0, false, 1.8e10}, Known{2, 11, false, 4556692},
                             Known{1, 14, false, 1832119}, Known{3, 8, false, 5186595}, Known{0, 14, false, 10765},
                             Known{4, 5, false, 2543211}, Known{0, 12, true, 6939897856.0},
                             Known{1, 11, true, 58058284832.0}, Known{2, 8, true, 415069056},
                             Known{3, 5, true, 2967492}}) {
    double projected = ProjectedGraphs(known.g, known.n, known.labelled);
    EXPECT_LT(projected, 1.5 * known.graphs) << known.g << ", " << known.n;
    EXPECT_GT(projected, known.graphs / 1.5) << known.g << ", " << known.n;
  }
}

// Every type the tests and the documentation run whole stays silent:
// genus 9 without points, and everything of fewer graphs; the others warn.
TEST(LargeRunWarning, NoneWithinReason) {
  for (int g = 0; g <= 9; ++g)
    for (int n = 0; 3 * g + n <= 27; ++n) {
      std::string warning = LargeRunWarning(parsed({std::to_string(g), std::to_string(n)}));
      if (ProjectedGraphs(g, n, false) <= 1e9) {
        EXPECT_EQ("", warning) << g << ", " << n;
      } else {
        EXPECT_NE("", warning) << g << ", " << n;
      }
    }
  EXPECT_EQ("", LargeRunWarning(parsed({"9", "0"})));
  EXPECT_EQ("", LargeRunWarning(parsed({"8", "1"})));
  EXPECT_EQ("", LargeRunWarning(parsed({"-L", "0", "11"})));
  EXPECT_EQ("", LargeRunWarning(parsed({"-L", "2", "7"})));
  // -C takes a share of the graphs the projection does not know.
  EXPECT_EQ("", LargeRunWarning(parsed({"-C", "3", "11", "0"})));
  // -P N counts the labelled graphs without making them.
  EXPECT_EQ("", LargeRunWarning(parsed({"-P", "N", "-L", "0", "20"})));
  EXPECT_EQ("", LargeRunWarning(parsed({"1", "0"})));
}

TEST(LargeRunWarning, OneLineBeyondReason) {
  EXPECT_EQ("warning: type (10, 0) has about 2 x 10^10 stable graphs (projected from known counts), beyond reason "
            "for one run; the search alone takes about 24 CPU hours; see doc/large-runs.md for runs on many machines "
            "(stable-graphs-mpi) and doc/checkpoints.md for --checkpoint",
            LargeRunWarning(parsed({"10", "0"})));
  EXPECT_EQ("warning: type (11, 0) has about 6 x 10^11 stable graphs (projected from known counts), beyond reason "
            "for one run; the search alone takes about 33 CPU days; see doc/large-runs.md for runs on many machines "
            "(stable-graphs-mpi) and doc/checkpoints.md for --checkpoint",
            LargeRunWarning(parsed({"-P", "N", "11", "0"})));
  EXPECT_EQ("warning: type (0, 20) has about 8 x 10^22 labelled stable graphs (projected from known counts), beyond "
            "reason for one run; see doc/large-runs.md for runs on many machines (stable-graphs-mpi) and "
            "doc/checkpoints.md for --checkpoint",
            LargeRunWarning(parsed({"-L", "0", "20"})));
  for (auto args : std::vector<std::vector<std::string>>{{"9", "1"}, {"0", "34"}, {"-M", "ct", "10", "0"},
                                                         {"-S", "N", "10", "0"}, {"-L", "0", "12"}})
    EXPECT_NE("", LargeRunWarning(parsed(args))) << testing::PrintToString(args);
}

// The warning is the first line, before the banner, whether or not
// standard error is a terminal; the run is then cut short by its reader.
TEST(LargeRunWarning, FirstOnStandardError) {
  ProcessOptions options;
  options.stdout_read_limit = 1;
  ProcessResult result = RunStableGraphs({"-P", "T", "-S", "N", "10", "0"}, options);
  EXPECT_EQ(0u, result.err.find("stable-graphs: warning: type (10, 0) has about 2 x 10^10 stable graphs")) << result.err;
  EXPECT_NE(std::string::npos, result.err.find("--checkpoint\nCompilation flags")) << result.err;
}

}  // namespace
