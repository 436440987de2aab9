// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
//
// Whole runs of stable-graphs -L and of stable-graphs-convert on labelled
// streams.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "testing/test_process.h"
#include "testing/test_support.h"

namespace {

using Args = std::vector<std::string>;

std::string Bytes(std::initializer_list<int> values) {
  std::string bytes;
  for (int value : values) bytes.push_back(static_cast<char>(value));
  return bytes;
}

/// Standard output of a good run of stable-graphs with args.
std::string Output(const Args& args, const ProcessOptions& options = ProcessOptions()) {
  ProcessResult result = RunStableGraphs(args, options);
  EXPECT_EQ(0, result.status) << testing::PrintToString(args) << "\n" << result.err;
  return result.out;
}

/// Standard error of a good run, the report.
std::string Report(const Args& args) {
  ProcessResult result = RunStableGraphs(args);
  EXPECT_EQ(0, result.status) << testing::PrintToString(args) << "\n" << result.err;
  return result.err;
}

/// The total of the "Labelled" row of a full report.
std::string LabelledTotal(int g, int n) {
  std::string report = Report({"-P", "N", "-L", std::to_string(g), std::to_string(n)});
  size_t row = report.find("\nLabelled    ");
  size_t equals = report.find("= ", row);
  EXPECT_NE(std::string::npos, row) << report;
  std::istringstream number(report.substr(equals + 2));
  std::string total;
  number >> total;
  return total;
}

/// A converter run of a stream held in a file.
std::string Convert(const std::string& stream, const Args& args) {
  char path[] = "/tmp/stable-graphs-labelled-XXXXXX";
  int fd = mkstemp(path);
  EXPECT_NE(-1, fd);
  EXPECT_EQ(static_cast<ssize_t>(stream.size()), write(fd, stream.data(), stream.size()));
  close(fd);
  Args full = args;
  full.push_back(path);
  ProcessResult result = RunConverter(full);
  unlink(path);
  EXPECT_EQ(0, result.status) << testing::PrintToString(args) << "\n" << result.err;
  return result.out;
}

const char kZeroFourText[] =
    "Strata of \\bar{M}_{0, 4}\n\n"
    "Genus: 0,\n  codimension: 0,\n  irreducible components: 1,\n"
    "  with genus 0 \n  with marked points 4 \n  with labels {1,2,3,4} \n  with loops 0 \n"
    "  with adjacency matrix\n    0 \n\n"
    "Genus: 0,\n  codimension: 1,\n  irreducible components: 2,\n"
    "  with genus 0 0 \n  with marked points 2 2 \n  with labels {1,2} {3,4} \n  with loops 0 0 \n"
    "  with adjacency matrix\n    0 1 \n    1 0 \n\n"
    "Genus: 0,\n  codimension: 1,\n  irreducible components: 2,\n"
    "  with genus 0 0 \n  with marked points 2 2 \n  with labels {1,3} {2,4} \n  with loops 0 0 \n"
    "  with adjacency matrix\n    0 1 \n    1 0 \n\n"
    "Genus: 0,\n  codimension: 1,\n  irreducible components: 2,\n"
    "  with genus 0 0 \n  with marked points 2 2 \n  with labels {1,4} {2,3} \n  with loops 0 0 \n"
    "  with adjacency matrix\n    0 1 \n    1 0 \n\n";

const std::string kZeroFourStream =
    Bytes({1, 1, 0, 4, 0, 0, 0, 0, 0, 2, 0, 0, 2, 2, 0, 0, 1, 0, 0, 1, 1, 2, 0, 0, 2, 2, 0, 0, 1, 0, 1, 0, 1,
           2, 0, 0, 2, 2, 0, 0, 1, 0, 1, 1, 0, 0});

}  // namespace

TEST(LabelledRun, TextOfZeroFour) { EXPECT_EQ(kZeroFourText, Output({"-P", "T", "-L", "0", "4"})); }

TEST(LabelledRun, StreamOfZeroFour) { EXPECT_EQ(kZeroFourStream, Output({"-L", "-P", "B", "0", "4"})); }

TEST(LabelledRun, LaTeXOfZeroFourDrawsTheLabels) {
  std::string document = Output({"-P", "L", "-L", "0", "4"});
  EXPECT_EQ(0u, document.find(LaTeXPreamble(0, 4)));
  EXPECT_NE(std::string::npos,
            document.find("      \\node (A0) at (0:1) {$\\scriptstyle{0_{4}}$}"
                          " child {node[draw=none] {$\\scriptscriptstyle{1}$}}"
                          " child {node[draw=none] {$\\scriptscriptstyle{2}$}}"
                          " child {node[draw=none] {$\\scriptscriptstyle{3}$}}"
                          " child {node[draw=none] {$\\scriptscriptstyle{4}$}};\n"));
  EXPECT_NE(std::string::npos,
            document.find("      \\node (A1) at (180:1) {$\\scriptstyle{0_{2}}$}"
                          " child {node[draw=none] {$\\scriptscriptstyle{2}$}}"
                          " child {node[draw=none] {$\\scriptscriptstyle{3}$}};\n"));
  for (const char* id : {"(2, 1, 1)", "(2, 1, 2)", "(2, 1, 3)"}) EXPECT_NE(std::string::npos, document.find(id)) << id;
  EXPECT_EQ(std::string::npos, document.find("(2, 1, 4)"));
  EXPECT_EQ(document.size() - strlen(kLaTeXEnd), document.rfind(kLaTeXEnd));
}

TEST(LabelledRun, ConverterWritesEveryFormat) {
  EXPECT_EQ(
      "{\"g\": 0, \"n\": 4, \"K\": 1, \"codimension\": 0, \"genus\": [0], \"marked_points\": [4], "
      "\"legs\": [[1, 2, 3, 4]], \"loops\": [0], \"edges\": [], \"automorphisms\": 1, \"id\": [1, 0, 1]}\n"
      "{\"g\": 0, \"n\": 4, \"K\": 2, \"codimension\": 1, \"genus\": [0, 0], \"marked_points\": [2, 2], "
      "\"legs\": [[1, 2], [3, 4]], \"loops\": [0, 0], \"edges\": [[0, 1, 1]], \"automorphisms\": 1, "
      "\"id\": [2, 1, 1]}\n"
      "{\"g\": 0, \"n\": 4, \"K\": 2, \"codimension\": 1, \"genus\": [0, 0], \"marked_points\": [2, 2], "
      "\"legs\": [[1, 3], [2, 4]], \"loops\": [0, 0], \"edges\": [[0, 1, 1]], \"automorphisms\": 1, "
      "\"id\": [2, 1, 2]}\n"
      "{\"g\": 0, \"n\": 4, \"K\": 2, \"codimension\": 1, \"genus\": [0, 0], \"marked_points\": [2, 2], "
      "\"legs\": [[1, 4], [2, 3]], \"loops\": [0, 0], \"edges\": [[0, 1, 1]], \"automorphisms\": 1, "
      "\"id\": [2, 1, 3]}\n",
      Convert(kZeroFourStream, {"-P", "J"}));
  EXPECT_EQ(
      "StableGraph([0], [[1, 2, 3, 4]], [])\n"
      "StableGraph([0, 0], [[1, 2, 5], [3, 4, 6]], [(5, 6)])\n"
      "StableGraph([0, 0], [[1, 3, 5], [2, 4, 6]], [(5, 6)])\n"
      "StableGraph([0, 0], [[1, 4, 5], [2, 3, 6]], [(5, 6)])\n",
      Convert(kZeroFourStream, {"-P", "S"}));
  EXPECT_EQ(kZeroFourText, Convert(kZeroFourStream, {"-P", "T"}));
  EXPECT_EQ(kZeroFourStream, Convert(kZeroFourStream, {"-P", "B"}));
}

// -P J, -P S: what the converter makes of the labelled stream of the same
// run; -P D draws the labels as legs.
TEST(LabelledRun, ToolWritesTheConvertersLines) {
  for (auto [g, n] : std::vector<std::pair<int, int>>{{0, 6}, {1, 3}, {2, 2}}) {
    std::string G = std::to_string(g), N = std::to_string(n);
    std::string stream = Output({"-P", "B", "-S", "N", "-L", G, N});
    for (const char* format : {"J", "S"}) {
      SCOPED_TRACE(G + " " + N + " -P " + format);
      EXPECT_EQ(Convert(stream, {"-P", format}), Output({"-P", format, "-S", "N", "-L", G, N}));
    }
  }
  EXPECT_EQ(
      "graph \"(1, 0, 1)\" {\n  label=\"(1, 0, 1)\";\n  node [shape=circle];\n  v0 [label=<1<sub>1</sub>>];\n"
      "  p1 [shape=plaintext, label=\"1\"];\n  v0 -- p1;\n}\n"
      "graph \"(1, 1, 1)\" {\n  label=\"(1, 1, 1)\";\n  node [shape=circle];\n  v0 [label=<0<sub>1</sub>>];\n"
      "  v0 -- v0;\n  p1 [shape=plaintext, label=\"1\"];\n  v0 -- p1;\n}\n",
      Output({"-P", "D", "-S", "N", "-L", "1", "1"}));
}

// The converter replays a labelled stream to exactly what the tool writes
// for the same run, with and without an edge filter.
TEST(LabelledRun, ConverterReplaysTheTool) {
  for (auto [g, n] : std::vector<std::pair<int, int>>{{0, 6}, {1, 3}, {2, 2}, {3, 1}}) {
    std::string G = std::to_string(g), N = std::to_string(n);
    std::string stream = Output({"-P", "B", "-S", "N", "-L", G, N});
    for (const char* format : {"T", "L", "B"}) {
      SCOPED_TRACE(G + " " + N + " -P " + format);
      EXPECT_EQ(Output({"-P", format, "-S", "N", "-L", G, N}), Convert(stream, {"-P", format}));
      EXPECT_EQ(Output({"-P", format, "-S", "N", "-L", "-C", "2", G, N}), Convert(stream, {"-P", format, "-C", "2"}));
    }
  }
}

TEST(LabelledRun, ReportsOfZeroFive) {
  std::string progress = "Compilation flags: R=27 USE_NAUTY \nK =  1... done.\nK =  2... done.\nK =  3... done.\n";
  std::string search =
      "Tried           0     1     1     1 =       3\n"
      "Unconnected     0     0     0     0 =       0\n"
      "Duplicated      0     0     0     0 =       0\n"
      "Found           0     1     1     1 =       3\n"
      "  0:     1\n  1:     1\n  2:     1\n";
  EXPECT_EQ(progress + search +
                "Labelled        0     1    10    15 =      26\n"
                "Labelled by codimension\n  0:     1\n  1:    10\n  2:    15\n",
            Report({"-P", "N", "-L", "0", "5"}));
  EXPECT_EQ(progress + search, Report({"-P", "N", "0", "5"}));  // as before without -L
  EXPECT_EQ(
      "Compilation flags: R=27 USE_NAUTY \n(\n (0,0,0,0,),\n (0,0,0,0,),\n (0,1,1,1,),\n (1,1,1,),\n"
      " (0,0,0,0,),\n (0,0,0,0,),\n (0,1,10,15,),\n (1,10,15,),\n)\n",
      Report({"-P", "N", "-S", "T", "-L", "0", "5"}));
  // With an edge filter only that codimension is found and counted.
  std::string filtered = Report({"-P", "N", "-L", "-C", "1", "0", "5"});
  EXPECT_NE(std::string::npos, filtered.find("Labelled        0     0    10     0 =      10\n")) << filtered;
}

TEST(LabelledRun, KnownCounts) {
  const char* genus_zero[] = {"1",     "4",      "26",       "236",       "2752",
                              "39208", "660032", "12818912", "282137824", "6939897856"};
  for (int n = 3; n <= 12; ++n) EXPECT_EQ(genus_zero[n - 3], LabelledTotal(0, n)) << "n = " << n;
  EXPECT_EQ("2", LabelledTotal(1, 1));
  EXPECT_EQ("7", LabelledTotal(2, 0));
  EXPECT_EQ("4555", LabelledTotal(5, 0));  // without points, as unlabelled
}

TEST(LabelledRun, OutputIndependentOfCpuCount) {
  ProcessOptions one, two;
  one.cpus = 1;
  two.cpus = 2;
  for (const Args& args : {Args{"-P", "B", "-L", "2", "4"}, Args{"-P", "T", "-L", "1", "5"}}) {
    ProcessResult a = RunStableGraphs(args, one), b = RunStableGraphs(args, two);
    EXPECT_EQ(0, a.status);
    EXPECT_EQ(a.out, b.out) << testing::PrintToString(args);
    EXPECT_EQ(a.err, b.err) << testing::PrintToString(args);
  }
}

TEST(LabelledRun, ConverterRefusesDamagedLabels) {
  // Label 4 moved to a vertex that does not exist.
  std::string damaged = kZeroFourStream;
  damaged[8] = 1;
  char path[] = "/tmp/stable-graphs-labelled-XXXXXX";
  int fd = mkstemp(path);
  ASSERT_EQ(static_cast<ssize_t>(damaged.size()), write(fd, damaged.data(), damaged.size()));
  close(fd);
  ProcessResult result = RunConverter({"-P", "J", path});
  unlink(path);
  EXPECT_EQ(1, result.status);
  EXPECT_EQ("", result.out);
  EXPECT_NE(std::string::npos, result.err.find("graph 1 with 1 components has label 4 at vertex 1")) << result.err;
}
