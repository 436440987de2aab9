// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
//
// Whole runs of both tools with -M: the search restricted to a moduli type
// against the converter's filter of a full run, the restricted Euler
// characteristic check, checkpoints and bad values.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testing/scratch_directory.h"
#include "testing/test_process.h"
#include "testing/test_support.h"

namespace {

using Args = std::vector<std::string>;

const char* const kTypes[] = {"st", "ct", "rt", "tl", "sm"};

Args with(Args args, const Args& more) {
  args.insert(args.end(), more.begin(), more.end());
  return args;
}

std::string last_line(std::string text) {
  if (!text.empty() && text.back() == '\n') text.pop_back();
  size_t end_of_previous = text.rfind('\n');
  return end_of_previous == std::string::npos ? text : text.substr(end_of_previous + 1);
}

class ModuliOptionTest : public ScratchDirectoryTest {};

// The restricted search writes what the converter keeps of a full run,
// byte for byte, for the text and stream printers (and the others), with
// labelled points too.
TEST_F(ModuliOptionTest, ConverterFilterEqualsTheRestrictedRun) {
  const Args kTypesOfCurves[] = {{"2", "2"}, {"1", "4"}, {"3", "1"}, {"0", "6"}, {"2", "3"}};
  for (const Args& type : kTypesOfCurves) {
    for (const Args& labels : {Args{}, Args{"-L"}}) {
      ProcessResult full = RunStableGraphs(with(with({"-P", "B", "-S", "N"}, labels), type));
      ASSERT_EQ(0, full.status) << full.err;
      std::string stream = file_with("full.bin", full.out);
      for (const char* moduli : kTypes) {
        for (const char* printer : {"T", "B", "J", "L"}) {
          Args run_args = with(with({"-P", printer, "-S", "N", "-M", moduli}, labels), type);
          ProcessResult run = RunStableGraphs(run_args);
          ProcessResult converted = RunConverter({"-P", printer, "-M", moduli, stream});
          std::string what = "-P " + std::string(printer) + " -M " + moduli + " " + type[0] + " " + type[1] +
                             (labels.empty() ? "" : " -L");
          EXPECT_EQ(0, run.status) << what << run.err;
          EXPECT_EQ(0, converted.status) << what << converted.err;
          EXPECT_EQ(converted.out, run.out) << what;
        }
      }
    }
  }
}

// The graphs of a restricted stream, converted with -M of a smaller part,
// are those of a run of that part.
TEST_F(ModuliOptionTest, ConverterNarrowsARestrictedStream) {
  ProcessResult tree_like = RunStableGraphs({"-P", "B", "-S", "N", "-M", "tl", "3", "2"});
  ASSERT_EQ(0, tree_like.status);
  std::string stream = file_with("tl.bin", tree_like.out);
  for (const char* moduli : {"ct", "rt", "sm", "tl"}) {
    ProcessResult run = RunStableGraphs({"-P", "T", "-S", "N", "-M", moduli, "3", "2"});
    ProcessResult converted = RunConverter({"-P", "T", "-M", moduli, stream});
    EXPECT_EQ(run.out, converted.out) << moduli;
  }
}

TEST_F(ModuliOptionTest, StableIsTodaysRun) {
  for (const Args& args : {Args{"-P", "T", "2", "2"}, Args{"-P", "B", "-S", "T", "-L", "1", "3"},
                           Args{"-P", "N", "-E", "3", "0"}, Args{"-P", "L", "-C", "2", "0", "6"}}) {
    ProcessResult plain = RunStableGraphs(args);
    ProcessResult stable = RunStableGraphs(with({"-M", "st"}, args));
    EXPECT_EQ(plain.status, stable.status);
    EXPECT_EQ(plain.out, stable.out);
    EXPECT_EQ(plain.err, stable.err);
  }
}

// (1, 1): the smooth curve, chi(M_{1,1}) = -1/12, is the one stratum of
// compact type; the vertex with a loop is not one.
TEST_F(ModuliOptionTest, EulerCheckNamesTheTypeAndPredictsItsSeries) {
  ProcessResult run = RunStableGraphs({"-P", "N", "-S", "N", "-E", "-M", "ct", "1", "1"});
  EXPECT_EQ(0, run.status);
  EXPECT_EQ("Compilation flags: R=27 USE_NAUTY \n"
            "Euler characteristic check of (1, 1) -M ct: sums of prod chi(M_{g_v,k_v}) / |Aut| over the graphs "
            "found\n"
            "codimension 0: found -1/12, predicted -1/12, agree\n"
            "codimension 1: found 0/1, predicted 0/1, agree\n"
            "total: found -1/12, predicted -1/12, agree\n",
            run.err);
}

TEST_F(ModuliOptionTest, EulerCheckAgreesForManyTypes) {
  for (int g = 0; g <= 4; ++g) {
    for (int n = 0; 2 * g + n <= 10; n += 2 * g + n <= 6 ? 1 : 3) {
      if (2 * g - 2 + n <= 0) continue;
      for (const char* moduli : kTypes) {
        for (const Args& labels : {Args{}, Args{"-L"}}) {
          Args args = with({"-P", "N", "-S", "N", "-E", "-M", moduli, std::to_string(g), std::to_string(n)}, labels);
          ProcessResult run = RunStableGraphs(args);
          EXPECT_EQ(0, run.status) << g << " " << n << " " << moduli << run.err;
          EXPECT_EQ(", agree", last_line(run.err).substr(last_line(run.err).size() - 7))
              << g << " " << n << " " << moduli;
        }
      }
    }
  }
}

TEST_F(ModuliOptionTest, ConverterEulerCheckOfARestrictedStream) {
  for (const Args& labels : {Args{}, Args{"-L"}}) {
    ProcessResult full = RunStableGraphs(with({"-P", "B", "-S", "N"}, with(labels, {"2", "3"})));
    std::string stream = file_with("full.bin", full.out);
    for (const char* moduli : kTypes) {
      ProcessResult filtered = RunConverter({"-P", "N", "-E", "-M", moduli, stream});
      ProcessResult run = RunStableGraphs(with({"-P", "N", "-S", "N", "-E", "-M", moduli}, with(labels, {"2", "3"})));
      EXPECT_EQ(0, filtered.status) << moduli << filtered.err;
      // The same check: the tool's standard error is its banner and the check.
      EXPECT_EQ(run.err, "Compilation flags: R=27 USE_NAUTY \n" + filtered.err) << moduli;
    }
    // A stream of a smaller part checked against the full series disagrees.
    ProcessResult trees = RunStableGraphs(with({"-P", "B", "-S", "N", "-M", "ct"}, with(labels, {"2", "3"})));
    ProcessResult mismatch = RunConverter({"-P", "N", "-E", file_with("ct.bin", trees.out)});
    EXPECT_EQ(4, mismatch.status) << mismatch.err;
  }
}

TEST_F(ModuliOptionTest, CheckpointRecordsTheModuliType) {
  std::string checkpoint = dir + "/run.cp";
  ProcessResult first = RunStableGraphs({"--checkpoint", checkpoint, "-P", "T", "-M", "ct", "2", "3"});
  ASSERT_EQ(0, first.status) << first.err;
  EXPECT_EQ(RunStableGraphs({"-P", "T", "-M", "ct", "2", "3"}).out, first.out);
  ProcessResult other = RunStableGraphs({"--checkpoint", checkpoint, "-P", "T", "-M", "rt", "2", "3"});
  EXPECT_EQ(1, other.status);
  EXPECT_NE(std::string::npos, other.err.find("belongs to another run")) << other.err;
  EXPECT_EQ("", other.out);
  ProcessResult again = RunStableGraphs({"--checkpoint", checkpoint, "-P", "T", "-M", "ct", "2", "3"});
  EXPECT_EQ(0, again.status);
  EXPECT_EQ("", again.out);  // a complete run, taken up: nothing more to write
}

TEST_F(ModuliOptionTest, BadValuesAreRefused) {
  struct Case {
    Args args;
    std::string message;
  };
  const Case cases[] = {
      {{"-M"}, "option -M needs a value (st, ct, rt, tl or sm)"},
      {{"2", "2", "-M"}, "option -M needs a value (st, ct, rt, tl or sm)"},
      {{"-M", "xx", "2", "2"}, "option -M takes st, ct, rt, tl or sm, not 'xx'"},
      {{"-M", "CT", "2", "2"}, "option -M takes st, ct, rt, tl or sm, not 'CT'"},
      {{"-Mct", "2", "2"}, "unknown option '-Mct' (an option's value is the next argument: -M ct)"},
  };
  for (const Case& c : cases) {
    ProcessResult tool = RunStableGraphs(c.args);
    EXPECT_EQ(1, tool.status);
    EXPECT_EQ(0u, tool.err.find("stable-graphs: " + c.message + "\nUsage:")) << tool.err;
    // The converter reads standard input ("-") where the tool takes its genus.
    Args convert_args = c.args;
    for (std::string& arg : convert_args)
      if (arg == "2") {
        arg = "-";
        break;
      }
    ProcessResult converter = RunConverter(convert_args);
    EXPECT_EQ(1, converter.status);
    EXPECT_EQ(0u, converter.err.find("stable-graphs-convert: " + c.message + "\nUsage:")) << converter.err;
  }
}

}  // namespace
