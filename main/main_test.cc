// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
//
// Whole runs of the stable-graphs executable.
#include <gtest/gtest.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>


#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "testing/scratch_directory.h"
#include "testing/test_process.h"
#include "testing/test_support.h"
#include "stream/binary_graph_reader.h"

namespace {

using Args = std::vector<std::string>;

const std::string kUsage = UsageText("stable-graphs");

const char kBanner[] = "Compilation flags: R=27 USE_NAUTY \n";

// Full report of (2, 0), after its two progress lines.
const char kReport20[] =
    "Tried           0     3     4 =       7\n"
    "Unconnected     0     0     0 =       0\n"
    "Duplicated      0     0     0 =       0\n"
    "Found           0     3     4 =       7\n"
    "  0:     1\n"
    "  1:     2\n"
    "  2:     2\n"
    "  3:     2\n";

std::string Describe(const Args& args) { return "args " + testing::PrintToString(args); }

/// Runs a good command line: status 0, no signal, the banner first on
/// standard error.
ProcessResult RunGood(const Args& args) {
  ProcessResult result = RunStableGraphs(args);
  EXPECT_EQ(0, result.status) << Describe(args) << "\n" << result.err;
  EXPECT_EQ(0, result.signal) << Describe(args);
  EXPECT_EQ(0u, result.err.rfind(kBanner, 0)) << Describe(args) << "\n" << result.err;
  // In the sanitizer build a finding changes the status too; this names it.
  EXPECT_EQ(std::string::npos, result.err.find("Sanitizer")) << Describe(args) << "\n" << result.err;
  EXPECT_EQ(std::string::npos, result.err.find("runtime error")) << Describe(args) << "\n" << result.err;
  return result;
}

int Count(const std::string& haystack, const std::string& needle) {
  int count = 0;
  for (size_t at = haystack.find(needle); at != std::string::npos; at = haystack.find(needle, at + 1)) ++count;
  return count;
}

std::string Bytes(std::initializer_list<int> values) {
  std::string bytes;
  for (int value : values) bytes.push_back(static_cast<char>(value));
  return bytes;
}

// A small LaTeX document writer for the expected output: the preamble, the
// Id cell and picture of a graph, the row and section separators.
const char kSeparatorRow[] =
    "\\begin{tikzpicture}[baseline]\\path(0,0) circle (1.5);\\end{tikzpicture} & & & & & & & \\\\\n";

std::string IdCell(int K, int codimension, int number) {
  return "    $\\scriptstyle{(" + std::to_string(K) + ", " + std::to_string(codimension) + ", " +
         std::to_string(number) + ")}$ & \n";
}

std::string Legs(int from, int sibling) {
  return "      \\tikzstyle{level 1}=[counterclockwise from=" + std::to_string(from) +
         ",level distance=9mm,sibling angle=" + std::to_string(sibling) + "]\n";
}

std::string Node(int i, int angle, int genus, int marked_points) {
  std::string node = "      \\node (A" + std::to_string(i) + ") at (" + std::to_string(angle) + ":1) {$\\scriptstyle{" +
                     std::to_string(genus) + "_{" + std::to_string(marked_points) + "}}$}";
  for (int leg = 0; leg < marked_points; ++leg) node += " child";
  return node + ";\n";
}

std::string Picture(int radius, const std::string& nodes, const std::string& lines) {
  return "    \\begin{tikzpicture}[baseline]\n      \\path(0,0) ellipse (2 and " + std::to_string(radius) + ");\n" +
         nodes + "\n" + lines + "    \\end{tikzpicture}\n";
}

TEST(RunTest, TextOfZeroFour) {
  ProcessResult result = RunGood({"-P", "T", "0", "4"});
  EXPECT_EQ(
      "Strata of \\bar{M}_{0, 4}\n\n"
      "Genus: 0,\n  codimension: 0,\n  irreducible components: 1,\n"
      "  with genus 0 \n  with marked points 4 \n  with loops 0 \n  with adjacency matrix\n    0 \n\n"
      "Genus: 0,\n  codimension: 1,\n  irreducible components: 2,\n"
      "  with genus 0 0 \n  with marked points 2 2 \n  with loops 0 0 \n  with adjacency matrix\n"
      "    0 1 \n    1 0 \n\n",
      result.out);
}

TEST(RunTest, BinaryOfZeroFour) {
  ProcessResult result = RunGood({"-P", "B", "0", "4"});
  EXPECT_EQ(Bytes({0, 1, 0, 4, 0, 2, 0, 0, 2, 2, 0, 0, 1, 0}), result.out);
}

TEST(RunTest, LaTeXOfZeroFour) {
  std::string one_vertex = Picture(1, Legs(-90, 90) + Node(0, 0, 0, 4), "");
  std::string two_vertices = Picture(1, Legs(-60, 120) + Node(0, 0, 0, 2) + Legs(120, 120) + Node(1, 180, 0, 2),
                                     "      \\path (A0) edge [bend left=0.000000] (A1);\n");
  std::string expected = LaTeXPreamble(0, 4) + kSeparatorRow + IdCell(1, 0, 1) + one_vertex + "    & \n" +
                         " &  &  & \\\\\n\n\n" + kSeparatorRow + IdCell(2, 1, 1) + two_vertices + "    & \n" + kLaTeXEnd;
  EXPECT_EQ(expected, RunGood({"0", "4"}).out);
  EXPECT_EQ(expected, RunGood({"-P", "L", "0", "4"}).out);
}

TEST(RunTest, FullAndTerseReportsOfTwoZero) {
  std::string full = std::string(kBanner) + "K =  1... done.\nK =  2... done.\n" + kReport20;
  EXPECT_EQ(full, RunGood({"-P", "N", "2", "0"}).err);
  EXPECT_EQ(full, RunGood({"-P", "N", "-S", "F", "2"}).err);
  EXPECT_EQ(std::string(kBanner) +
                "(\n (0,0,0,),\n (0,0,0,),\n (0,3,4,),\n (1,2,2,2,),\n (0,0,0,),\n (0,0,0,),\n)\n",
            RunGood({"-P", "N", "-S", "T", "2", "0"}).err);
}

TEST(RunTest, SingleGenusWritesLaTeX) {
  ProcessResult result = RunGood({"2"});
  EXPECT_EQ(0u, result.out.rfind("\\documentclass{article}\n", 0));
  EXPECT_NE(std::string::npos, result.out.find("\\title{Strata of $\\overline{\\mathcal{M}}_{2,0}$}\n"));
  // Sections follow the printing order: codimensions 0, 1, 2 from one
  // vertex, then 1, 2, 3 from two vertices, numbered afresh each time.
  EXPECT_EQ(7, Count(result.out, "$\\scriptstyle{("));
  EXPECT_EQ(6, Count(result.out, kSeparatorRow));
  for (const char* id : {"(1, 0, 1)", "(1, 1, 1)", "(1, 2, 1)", "(2, 1, 1)", "(2, 2, 1)", "(2, 3, 1)", "(2, 3, 2)"})
    EXPECT_EQ(1, Count(result.out, std::string("$\\scriptstyle{") + id + "}$ & \n")) << id;
  EXPECT_EQ(std::string(kBanner) + "K =  1... done.\nK =  2... done.\n" + kReport20, result.err);
}

TEST(RunTest, NoPrinterWritesNothingButTheSameReport) {
  ProcessResult none = RunGood({"-P", "N", "3", "1"});
  EXPECT_EQ("", none.out);
  for (const char* letter : {"T", "B", "L"}) {
    ProcessResult other = RunGood({"-P", letter, "3", "1"});
    EXPECT_FALSE(other.out.empty()) << letter;
    EXPECT_EQ(none.err, other.err) << letter;
  }
}

TEST(RunTest, UnstableTypeRunsWithoutGraphs) {
  std::string empty_report =
      "Tried       =       0\nUnconnected =       0\nDuplicated  =       0\nFound       =       0\n";
  // Standard output stays empty and the status 0; the last line says why.
  struct Case {
    Args args;
    const char* type;
  };
  for (const Case& c : {Case{{"0"}, "(0, 0)"}, Case{{"-P", "T", "0", "0"}, "(0, 0)"}, Case{{"-P", "B", "1"}, "(1, 0)"},
                        Case{{"0", "2"}, "(0, 2)"}, Case{{"-P", "L", "1"}, "(1, 0)"}}) {
    ProcessResult result = RunGood(c.args);
    EXPECT_EQ("", result.out) << Describe(c.args);
    EXPECT_EQ(kBanner + empty_report + "stable-graphs: type " + c.type +
                  " has no stable graphs: 2 * genus + marked_points must be at least 3\n",
              result.err)
        << Describe(c.args);
  }
  EXPECT_EQ(std::string(kBanner) + "(\n (),\n (),\n (),\n (),\n (),\n (),\n)\n" +
                "stable-graphs: type (0, 0) has no stable graphs: 2 * genus + marked_points must be at least 3\n",
            RunGood({"-S", "T", "0"}).err);
  EXPECT_EQ(std::string(kBanner) +
                "stable-graphs: type (1, 0) has no stable graphs: 2 * genus + marked_points must be at least 3\n",
            RunGood({"-S", "N", "1"}).err);
}

/// The numbers of one line of a report: "Found  0  3  4 =  7" gives
/// {0, 3, 4, 7}, " (0,3,4,)," gives {0, 3, 4}.
std::vector<long> numbers_of(const std::string& line) {
  std::vector<long> numbers;
  for (size_t at = line.find_first_of("0123456789"); at != std::string::npos;
       at = line.find_first_of("0123456789", at)) {
    size_t end = line.find_first_not_of("0123456789", at);
    numbers.push_back(std::stol(line.substr(at, end - at)));
    at = end;
  }
  return numbers;
}

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  for (size_t at = 0; at < text.size();) {
    size_t end = text.find('\n', at);
    lines.push_back(text.substr(at, end - at));
    at = end + 1;
  }
  return lines;
}

// The terse report holds the full report's counters in six groups, as the
// README and the manual page explain: two groups of zeros, found per K,
// found per codimension, unconnected per K, duplicated per K; tried is the
// sum of the last three per K.
TEST(RunTest, TerseReportGroupsAreTheFullReportsCounters) {
  for (const Args& type : {Args{"2"}, Args{"0", "5"}, Args{"3", "1"}, Args{"1", "4"}, Args{"4"}}) {
    Args full_args = {"-P", "N"}, terse_args = {"-P", "N", "-S", "T"};
    full_args.insert(full_args.end(), type.begin(), type.end());
    terse_args.insert(terse_args.end(), type.begin(), type.end());
    std::vector<std::string> full = lines_of(RunGood(full_args).err);
    std::vector<std::string> terse = lines_of(RunGood(terse_args).err);
    ASSERT_EQ(9u, terse.size()) << Describe(type);  // banner, "(", six groups, ")"
    std::vector<std::vector<long>> groups;
    for (int i = 2; i < 8; ++i) groups.push_back(numbers_of(terse[i]));
    auto row = [&](const std::string& label) {
      for (const std::string& line : full) {
        if (line.rfind(label, 0) != 0) continue;
        std::vector<long> numbers = numbers_of(line);
        numbers.pop_back();  // the sum
        return numbers;
      }
      ADD_FAILURE() << "no row " << label;
      return std::vector<long>();
    };
    std::vector<long> per_codimension;
    for (const std::string& line : full)
      if (line.size() > 4 && line[3] == ':') per_codimension.push_back(numbers_of(line)[1]);
    std::vector<long> zeros(row("Found").size(), 0);
    EXPECT_EQ(zeros, groups[0]) << Describe(type);
    EXPECT_EQ(zeros, groups[1]) << Describe(type);
    EXPECT_EQ(row("Found"), groups[2]) << Describe(type);
    EXPECT_EQ(per_codimension, groups[3]) << Describe(type);
    EXPECT_EQ(row("Unconnected"), groups[4]) << Describe(type);
    EXPECT_EQ(row("Duplicated"), groups[5]) << Describe(type);
    std::vector<long> tried = row("Tried");
    for (size_t K = 0; K < tried.size(); ++K)
      EXPECT_EQ(tried[K], groups[2][K] + groups[4][K] + groups[5][K]) << Describe(type) << " K = " << K;
  }
}

TEST(RunTest, EdgeFilterActsOnTheSearch) {
  // (2, 0) with one edge: genus 1 with a loop, and two genus-1 vertices
  // joined by an edge.
  ProcessResult result = RunGood({"-P", "B", "-C", "1", "2", "0"});
  EXPECT_EQ(Bytes({0, 1, 1, 0, 1, 2, 1, 1, 0, 0, 0, 0, 1, 0}), result.out);
  EXPECT_EQ(std::string(kBanner) + "K =  1... done.\nK =  2... done.\n"
                                   "Tried           0     3     1 =       4\n"
                                   "Unconnected     0     0     0 =       0\n"
                                   "Duplicated      0     0     0 =       0\n"
                                   "Found           0     1     1 =       2\n"
                                   "  0:     0\n  1:     2\n  2:     0\n  3:     0\n",
            result.err);
  // A negative number of edges is refused, not taken for "every graph" or
  // "none".
  for (const Args& args : {Args{"-C", "-1", "2"}, Args{"-C", "-5", "2", "0"}}) {
    ProcessResult refused = RunStableGraphs(args);
    EXPECT_EQ(1, refused.status) << Describe(args);
    EXPECT_EQ("", refused.out) << Describe(args);
    EXPECT_EQ(0u, refused.err.find("stable-graphs: option -C takes a number of edges, which must not be negative"))
        << refused.err;
  }
}

// The usage text is unchanged; one line before it names what was wrong
// (nothing, for no argument at all).
TEST(RunTest, BadCommandLinesGetAReasonAndTheUsage) {
  EXPECT_EQ(kUsage, RunStableGraphs({}).err);
  struct Case {
    Args args;
    const char* reason;
  };
  for (const Case& c : {
           Case{{"-Q", "1"}, "unknown option '-Q'"},
           Case{{"-P", "X", "1"}, "option -P takes L, T, B, J, S, D, C, H or N, not 'X'"},
           Case{{"-P", "t", "1"}, "option -P takes L, T, B, J, S, D, C, H or N, not 't'"},
           Case{{"-PT", "1"}, "unknown option '-PT' (an option's value is the next argument: -P T)"},
           Case{{"-P", "TT", "1"}, "option -P takes L, T, B, J, S, D, C, H or N, not 'TT'"},
           Case{{"1", "2", "3"}, "one number too many: '3' after genus and marked_points"},
           Case{{"1", "-C"}, "option -C needs a value (a number of edges)"},
           Case{{"-C", "2"}, "no genus given"},
           Case{{"-1"}, "unknown option '-1'"},
           Case{{"-S", "X", "1"}, "option -S takes F, T or N, not 'X'"},
           Case{{"-9", "1"}, "unknown option '-9'"},
       }) {
    ProcessResult result = RunStableGraphs(c.args);
    EXPECT_EQ(1, result.status) << Describe(c.args);
    EXPECT_EQ("", result.out) << Describe(c.args);
    EXPECT_EQ("stable-graphs: " + std::string(c.reason) + "\n" + kUsage, result.err) << Describe(c.args);
  }
}

TEST(RunTest, StatisticsCanBeSwitchedOff) {
  for (const char* letter : {"N", "S"}) {
    ProcessResult result = RunGood({"-S", letter, "-P", "T", "0", "4"});
    EXPECT_EQ(kBanner, result.err) << letter;
    EXPECT_EQ(RunGood({"-P", "T", "0", "4"}).out, result.out) << letter;
  }
}

TEST(RunTest, TypesBeyondCapacityAreRefused) {
  struct Case {
    Args args;
    const char* limit;
  };
  for (const Case& c : {Case{{"12"}, "32"}, Case{{"11", "2"}, "32"}, Case{{"0", "35"}, "32"},
                        Case{{"-P", "N", "12", "3"}, "32"}}) {
    ProcessResult result = RunStableGraphs(c.args);
    EXPECT_EQ(1, result.status) << Describe(c.args);
    EXPECT_EQ("", result.out) << Describe(c.args);
    ASSERT_FALSE(result.err.empty()) << Describe(c.args);
    EXPECT_EQ(result.err.size() - 1, result.err.find('\n')) << Describe(c.args) << ": one line\n" << result.err;
    EXPECT_EQ(std::string::npos, result.err.find("Usage")) << result.err;
    EXPECT_EQ(std::string::npos, result.err.find("Compilation flags")) << result.err;
    EXPECT_NE(std::string::npos, result.err.find(c.limit)) << Describe(c.args) << ": " << result.err;
  }
}

// The edges of what the model holds: the coloured graph of every graph of
// the type has at most 32 vertices, i.e. 3g + n - 2 at most 32, or 33 with
// fewer than two marked points.  The largest accepted types run (shortened
// by an edge filter) with right results; their neighbours one step beyond
// are refused in one line.

/// The total of the "Found" row of a full report, or -1.
long FoundTotal(const std::string& report) {
  size_t row = report.find("\nFound ");
  if (row == std::string::npos) return -1;
  size_t equals = report.find('=', row);
  return equals == std::string::npos ? -1 : atol(report.c_str() + equals + 1);
}

/// Graphs of type (g, n) with one edge: the one-vertex graph with a loop
/// (when g > 0), plus the unordered splits into two stable sides.
long OneEdgeCount(int g, int n) {
  long ordered = 0, symmetric = 0;
  for (int g1 = 0; g1 <= g; ++g1) {
    for (int n1 = 0; n1 <= n; ++n1) {
      // Each side carries one edge end besides its marked points.
      bool stable = 2 * g1 + n1 >= 2 && 2 * (g - g1) + (n - n1) >= 2;
      if (!stable) continue;
      ++ordered;
      if (2 * g1 == g && 2 * n1 == n) ++symmetric;
    }
  }
  return (g > 0 ? 1 : 0) + (ordered + symmetric) / 2;
}

/// Trees of type (0, n) with two edges: a chain whose middle vertex holds
/// b >= 1 points and whose ends hold a, c >= 2, unordered.
long TwoEdgeTreeCount(int n) {
  long count = 0;
  for (int b = 1; b <= n - 4; ++b) count += (n - b) / 2 - 1;
  return count;
}

/// Graphs of type (g, 0), g >= 2, with two edges: one vertex with two loops;
/// two vertices joined twice (each of genus >= 1), or joined once with a
/// loop at one of them; and chains of three vertices (each of genus >= 1).
long TwoEdgeCountWithoutPoints(int g) {
  long double_edge = (g - 1) / 2, loop_and_edge = g - 1;
  long chains = ((g - 1) * (g - 2) / 2 + (g - 1) / 2) / 2;
  return 1 + double_edge + loop_and_edge + chains;
}

TEST(CapacityEdgeTest, LargestAcceptedTypesRunWithRightResults) {
  struct Case {
    int g, n, edges;
    long expected;  // -1 when not counted independently
  };
  for (const Case& c : {Case{11, 0, 0, 1}, Case{11, 0, 1, OneEdgeCount(11, 0)}, Case{11, 0, 2, -1},
                        Case{11, 1, 0, 1}, Case{11, 1, 1, OneEdgeCount(11, 1)},
                        Case{10, 4, 0, 1}, Case{10, 4, 1, OneEdgeCount(10, 4)},
                        Case{0, 34, 0, 1}, Case{0, 34, 1, OneEdgeCount(0, 34)}, Case{0, 34, 2, TwoEdgeTreeCount(34)},
                        Case{9, 0, 0, 1}, Case{9, 0, 1, OneEdgeCount(9, 0)}, Case{9, 0, 2, TwoEdgeCountWithoutPoints(9)},
                        Case{10, 0, 0, 1}, Case{10, 0, 1, OneEdgeCount(10, 0)},
                        Case{10, 0, 2, TwoEdgeCountWithoutPoints(10)},
                        Case{3, 0, 2, TwoEdgeCountWithoutPoints(3)}, Case{5, 0, 2, TwoEdgeCountWithoutPoints(5)},
                        Case{1, 31, 1, OneEdgeCount(1, 31)},
                        // Beyond the coloured vertices of the whole type, a
                        // filter of few edges holds few components: up to
                        // the records' genus 14 and 64 points.
                        Case{12, 0, 0, 1}, Case{12, 0, 1, OneEdgeCount(12, 0)},
                        Case{12, 0, 2, TwoEdgeCountWithoutPoints(12)}, Case{14, 0, 1, OneEdgeCount(14, 0)},
                        Case{14, 0, 2, TwoEdgeCountWithoutPoints(14)}, Case{11, 2, 1, OneEdgeCount(11, 2)},
                        Case{14, 64, 0, 1}, Case{14, 64, 1, OneEdgeCount(14, 64)}, Case{0, 64, 1, OneEdgeCount(0, 64)},
                        Case{0, 64, 2, TwoEdgeTreeCount(64)}}) {
    std::string g = std::to_string(c.g), n = std::to_string(c.n), edges = std::to_string(c.edges);
    ProcessResult counted = RunGood({"-P", "N", "-C", edges, g, n});
    long found = FoundTotal(counted.err);
    if (c.expected >= 0) {
      EXPECT_EQ(c.expected, found) << "(" << g << ", " << n << ") -C " << edges;
    }
    EXPECT_GT(found, 0) << counted.err;
    // The Euler characteristic of the codimension agrees with the series
    // (whose terms for many points take minutes).
    if (c.n <= 4) {
      std::string check = RunGood({"-P", "N", "-S", "N", "-E", "-C", edges, g, n}).err;
      EXPECT_NE(std::string::npos, check.find(", agree\n", check.rfind("total: "))) << check;
    }

    // The byte stream holds exactly those graphs, each of the right type
    // and with the right number of edges.
    ProcessResult binary = RunGood({"-P", "B", "-S", "N", "-C", edges, g, n});
    FILE* stream = fmemopen(&binary.out[0], binary.out.size(), "rb");
    ASSERT_NE(nullptr, stream);
    BinaryGraphReader reader(stream);
    long read = 0;
    for (auto& [K, graphs] : reader.Read()) {
      for (const Graph& graph : graphs) {
        ++read;
        EXPECT_EQ(c.g, graph.g);
        EXPECT_EQ(c.n, graph.n);
        int graph_edges = 0;
        for (int i = 0; i < K; ++i)
          for (int k = i; k < K; ++k) graph_edges += graph.adjacency[i][k];
        EXPECT_EQ(c.edges, graph_edges);
      }
    }
    EXPECT_EQ(found, read) << "(" << g << ", " << n << ") -C " << edges;

    // The text and LaTeX printers write one block or picture per graph.
    EXPECT_EQ(found, Count(RunGood({"-P", "T", "-S", "N", "-C", edges, g, n}).out, "Genus: "));
    EXPECT_EQ(found, Count(RunGood({"-P", "L", "-S", "T", "-C", edges, g, n}).out, "\\begin{tikzpicture}[baseline]\n"));
  }
}

TEST(CapacityEdgeTest, SmallestRefusedTypesGetOneLine) {
  struct Case {
    Args args;
    const char* message;
  };
  for (const Case& c : {
           Case{{"12", "0"}, "type (12, 0) is beyond the capacity: its graphs need up to 33 coloured vertices, "
                             "nauty takes at most 32 (3 * genus + marked_points - 2 <= 32, or <= 33 with fewer "
                             "than 2 marked points)"},
           // With -C c a graph has at most c + 1 coloured vertices: the
           // filter decides where that bound rules.
           Case{{"-P", "T", "-C", "32", "12"}, "type (12, 0) is beyond the capacity: its graphs of 32 edges need up "
                                               "to 33 coloured vertices, nauty takes at most 32 (the number of edges "
                                               "+ 1, or 3 * genus + marked_points - 2 if less, or one less with fewer "
                                               "than 2 marked points, must be at most 32)"},
           Case{{"-P", "L", "-C", "33", "11", "2"}, "type (11, 2) is beyond the capacity: its graphs of 33 edges need "
                                                    "up to 33 coloured vertices, nauty takes at most 32 (the number of "
                                                    "edges + 1, or 3 * genus + marked_points - 2 if less, or one less "
                                                    "with fewer than 2 marked points, must be at most 32)"},
           // Beyond the records' fields no filter helps.
           Case{{"-P", "N", "-C", "1", "15"}, "type (15, 0) is beyond the capacity: a graph's record holds genus "
                                              "at most 14 and at most 64 marked points"},
           Case{{"-P", "N", "-C", "0", "0", "65"}, "type (0, 65) is beyond the capacity: a graph's record holds "
                                                   "genus at most 14 and at most 64 marked points"},
           Case{{"-P", "N", "10", "5"}, "type (10, 5) is beyond the capacity: its graphs need up to 33 coloured "
                                        "vertices, nauty takes at most 32 (3 * genus + marked_points - 2 <= 32, or "
                                        "<= 33 with fewer than 2 marked points)"},
           Case{{"-P", "B", "0", "35"}, "type (0, 35) is beyond the capacity: its graphs need up to 33 coloured "
                                        "vertices, nauty takes at most 32 (3 * genus + marked_points - 2 <= 32, or "
                                        "<= 33 with fewer than 2 marked points)"},
       }) {
    ProcessResult result = RunStableGraphs(c.args);
    EXPECT_EQ(1, result.status) << Describe(c.args);
    EXPECT_EQ("", result.out) << Describe(c.args);
    EXPECT_EQ(c.message != nullptr ? "stable-graphs: " + std::string(c.message) + "\n" : std::string(kUsage),
              result.err)
        << Describe(c.args);
  }
}

TEST(RunTest, NumbersBeyondIntAreRefused) {
  // 2^32 + 2 is not genus 2, 2^32 - 1 edges not the -1 that keeps every
  // graph, nor INT_MAX edges (an empty stream with status 0): each is
  // refused in one line, without the usage text, naming it as typed.
  struct Case {
    Args args;
    const char* message;
  };
  for (const Case& c : {
           Case{{"-P", "B", "4294967298"}, "the genus 4294967298 is beyond the range the tools read (at most "
                                           "2147483647)"},
           Case{{"99999999999"}, "the genus 99999999999 is beyond the range the tools read (at most 2147483647)"},
           Case{{"-P", "B", "-S", "N", "-C", "4294967295", "2"},
                "the number of edges of -C 4294967295 is beyond the range the tools read (at most 2147483647)"},
           Case{{"-C", "99999999999999999999", "2", "0"},
                "the number of edges of -C 99999999999999999999 is beyond the range the tools read (at most "
                "2147483647)"},
           Case{{"2", "99999999999999999999"},
                "the number of marked points 99999999999999999999 is beyond the range the tools read (at most "
                "2147483647)"},
       }) {
    ProcessResult result = RunStableGraphs(c.args);
    EXPECT_EQ(1, result.status) << Describe(c.args);
    EXPECT_EQ("", result.out) << Describe(c.args);
    EXPECT_EQ("stable-graphs: " + std::string(c.message) + "\n", result.err) << Describe(c.args);
  }
  // The largest int is read exactly, and the capacity's figure for it is
  // exact: 3 * (2^31 - 1) - 3 coloured vertices.
  EXPECT_EQ("stable-graphs: type (2147483647, 0) is beyond the capacity: its graphs need up to 6442450938 coloured "
            "vertices, nauty takes at most 32 (3 * genus + marked_points - 2 <= 32, or <= 33 with fewer than 2 "
            "marked points)\n",
            RunStableGraphs({"2147483647"}).err);
  // A filter of INT_MAX edges is within range: no graph has that many.
  EXPECT_EQ(Bytes({0, 0}), RunGood({"-P", "B", "-S", "N", "-C", "2147483647", "2"}).out);
}

// A number is a decimal integer and nothing else, in both tools: C's atoi
// ran "2,1" as type (2, 0) and "two 1" as genus 0, with status 0.  White
// space before a minus sign, which used to type a negative genus, is
// refused as well.
TEST(RunTest, NumbersThatAreNotDecimalIntegersAreRefused) {
  struct Case {
    Args args;
    const char* reason;
  };
  for (const Case& c : {Case{{"2,1"}, "the genus must be a decimal integer, not '2,1'"},
                        Case{{"g=2", "n=1"}, "the genus must be a decimal integer, not 'g=2'"},
                        Case{{"two", "1"}, "the genus must be a decimal integer, not 'two'"},
                        Case{{"-P", "N", "3", "1x"}, "the number of marked points must be a decimal integer, not '1x'"},
                        Case{{"-S", "N", " -1", "4"}, "the genus must be a decimal integer, not ' -1'"},
                        Case{{"0", " -1"}, "the number of marked points must be a decimal integer, not ' -1'"},
                        Case{{"-C", "2x", "3"}, "option -C takes a number of edges, not '2x'"}}) {
    ProcessResult result = RunStableGraphs(c.args);
    EXPECT_EQ(1, result.status) << Describe(c.args);
    EXPECT_EQ("", result.out) << Describe(c.args);
    EXPECT_EQ("stable-graphs: " + std::string(c.reason) + "\n" + UsageText("stable-graphs"), result.err)
        << Describe(c.args);
  }
}

// pdflatex crawls through documents of thousands of graphs: both tools say
// so on standard error, and standard output stays as it is.
// Every search writes the same graphs in the same order; the default one
// also writes today's report, and with -S N the pruned one runs.
TEST(RunTest, EverySearchWritesTheSameGraphs) {
  for (const Args& type : {Args{"4", "1"}, Args{"3", "3"}, Args{"0", "9"}, Args{"-C", "4", "5", "0"},
                           Args{"-L", "2", "3"}, Args{"-M", "tl", "3", "2"}}) {
    Args stored = {"-P", "B", "--search", "stored"};
    stored.insert(stored.end(), type.begin(), type.end());
    ProcessResult want = RunGood(stored);
    for (const char* report : {"F", "T"}) {
      Args with_report = {"-P", "B", "-S", report};
      with_report.insert(with_report.end(), type.begin(), type.end());
      Args stored_report = with_report;
      stored_report.insert(stored_report.end(), {"--search", "stored"});
      ProcessResult got = RunGood(with_report);
      EXPECT_EQ(want.out, got.out) << Describe(with_report);
      EXPECT_EQ(RunGood(stored_report).err, got.err) << Describe(with_report) << ": the report of today";
    }
    for (const char* kind : {"orderly", "pruned"}) {
      Args chosen = {"-P", "B", "-S", "N", "--search", kind};
      chosen.insert(chosen.end(), type.begin(), type.end());
      EXPECT_EQ(want.out, RunGood(chosen).out) << Describe(chosen);
    }
    Args quiet = {"-P", "B", "-S", "N"};
    quiet.insert(quiet.end(), type.begin(), type.end());
    EXPECT_EQ(want.out, RunGood(quiet).out) << Describe(quiet);
  }
  // The pruned search reports what it examined: fewer candidates, the
  // same graphs found.
  ProcessResult stored = RunGood({"-P", "N", "-S", "T", "--search", "stored", "6", "0"});
  ProcessResult pruned = RunGood({"-P", "N", "-S", "T", "--search", "pruned", "6", "0"});
  EXPECT_NE(stored.err, pruned.err);
  auto found_line = [](const std::string& report) {
    size_t third = report.find(" (", report.find(" (", report.find(" (") + 1) + 1);
    return report.substr(third, report.find('\n', third) - third);
  };
  EXPECT_EQ(found_line(stored.err), found_line(pruned.err)) << "the graphs found per component count";
}

class LargeDocumentTest : public ScratchDirectoryTest {};

TEST_F(LargeDocumentTest, BothToolsNoteIt) {
  const std::string note =
      ": note: the LaTeX document holds 2325 graphs, more than pdflatex handles well; -P B with "
      "stable-graphs-convert -C writes it in parts\n";
  ProcessResult large = RunGood({"-S", "N", "2", "5"});
  EXPECT_EQ(kBanner + std::string("stable-graphs") + note, large.err);
  EXPECT_EQ(RunGood({"-P", "L", "-S", "N", "-C", "0", "2", "5"}).out.substr(0, 200), large.out.substr(0, 200));
  std::string stream = file_with("m25.bin", RunGood({"-P", "B", "-S", "N", "2", "5"}).out);
  ProcessResult converted = RunConverter({stream});
  EXPECT_EQ(0, converted.status);
  EXPECT_EQ(large.out, converted.out);
  EXPECT_EQ("stable-graphs-convert" + note, converted.err);
  // Other formats, a part of the type and smaller types get no note.
  for (const Args& args : {Args{"-P", "T", "-S", "N", "2", "5"}, Args{"-S", "N", "-C", "5", "2", "5"},
                           Args{"-S", "N", "2", "4"}})
    EXPECT_EQ(kBanner, RunGood(args).err) << Describe(args);
}

TEST(RunTest, EmptyArgumentVectorGetsTheUsage) {
  // Linux hands the program an empty name then, other systems none at all.
  ProcessResult result = RunProcess(StableGraphsBinary(), {});
  EXPECT_EQ(1, result.status);
  EXPECT_EQ("", result.out);
  EXPECT_EQ(kUsage, result.err);
}

// Output faults.  Whatever the fault, a run that could not write all of its
// output never ends with status 0, and it never writes the report (which
// would claim a complete count) before its message.

const char kLostOutput[] = "stable-graphs: error writing standard output: ";

/// One run per printer that writes; each writes far more than a pipe holds.
const Args kWritingRuns[] = {Args{"-P", "T", "4", "1"}, Args{"-P", "L", "4", "1"}, Args{"-P", "B", "4", "2"}};

/// Checks a run that ended by itself after losing output: status 2, the
/// banner first, the message as the last line, and no report.
void ExpectStoppedWithMessage(const ProcessResult& lost, const std::string& message, const std::string& where) {
  EXPECT_EQ(0, lost.signal) << where;
  EXPECT_EQ(2, lost.status) << where << "\n" << lost.err;
  EXPECT_EQ(0u, lost.err.rfind(kBanner, 0)) << where << "\n" << lost.err;
  ASSERT_GE(lost.err.size(), message.size()) << where << "\n" << lost.err;
  EXPECT_EQ(message, lost.err.substr(lost.err.size() - message.size())) << where << "\n" << lost.err;
  EXPECT_EQ(std::string::npos, lost.err.find("Found")) << where << "\n" << lost.err;
}

TEST(OutputFaultTest, FullDeviceAndClosedOutputStopBeforeTheSearch) {
  ProcessOptions full_device;
  full_device.stdout_path = "/dev/full";
  ProcessOptions closed;
  closed.close_stdout = true;
  for (const Args& args : {Args{"-P", "T", "3", "1"}, Args{"-P", "L", "3", "1"}, Args{"-P", "B", "3", "1"},
                           Args{"-P", "B", "0", "4"}, Args{"-P", "T", "-S", "T", "2"}, Args{"-P", "L", "-C", "1", "0", "5"}}) {
    for (const ProcessOptions& options : {full_device, closed}) {
      std::string where = (options.close_stdout ? "closed, " : "/dev/full, ") + Describe(args);
      ProcessResult lost = RunStableGraphs(args, options);
      // The first flush, right after the document's opening, fails: no pass
      // is searched, so not even a progress line precedes the message.
      std::string reason = options.close_stdout ? "Bad file descriptor" : "No space left on device";
      EXPECT_EQ(0, lost.signal) << where;
      EXPECT_EQ(2, lost.status) << where;
      EXPECT_EQ(std::string(kBanner) + kLostOutput + reason + "\n", lost.err) << where;
    }
  }
}

TEST(OutputFaultTest, RunsThatWriteNothingLoseNothing) {
  ProcessOptions full_device;
  full_device.stdout_path = "/dev/full";
  ProcessOptions closed;
  closed.close_stdout = true;
  for (const Args& args : {Args{"-P", "N", "3", "1"}, Args{"-P", "T", "1"}, Args{"-P", "B", "0"}}) {
    ProcessResult good = RunGood(args);
    EXPECT_EQ("", good.out) << Describe(args);
    for (const ProcessOptions& options : {full_device, closed}) {
      ProcessResult run = RunStableGraphs(args, options);
      EXPECT_EQ(0, run.status) << Describe(args);
      EXPECT_EQ(good.err, run.err) << Describe(args);
    }
  }
}

TEST(OutputFaultTest, DiskThatFillsUpMidRunKeepsAPrefixAndFails) {
  std::string pattern = (std::filesystem::path(testing::TempDir()) / "stable-graphs-fsize-XXXXXX").string();
  ASSERT_NE(nullptr, mkdtemp(&pattern[0]));
  std::filesystem::path dir = pattern;
  const long kLimit = 20000;
  for (const Args& args : kWritingRuns) {
    ProcessResult good = RunGood(args);
    ASSERT_GT(good.out.size(), static_cast<size_t>(kLimit));
    ProcessOptions options;
    options.stdout_path = (dir / "out").string();
    options.file_size_limit = kLimit;
    ProcessResult lost = RunStableGraphs(args, options);
    ExpectStoppedWithMessage(lost, std::string(kLostOutput) + "File too large\n", Describe(args));
    // What did reach the disk is the start of the right output, cut short.
    std::string written = ReadFile(options.stdout_path);
    EXPECT_EQ(static_cast<size_t>(kLimit), written.size()) << Describe(args);
    EXPECT_EQ(good.out.substr(0, written.size()), written) << Describe(args);
  }
  std::filesystem::remove_all(dir);
}

TEST(OutputFaultTest, ReaderThatClosesEarlyEndsTheRunBySignal) {
  for (const Args& args : kWritingRuns) {
    ProcessResult good = RunGood(args);
    ProcessOptions options;
    options.stdout_read_limit = 100;
    ProcessResult cut = RunStableGraphs(args, options);
    EXPECT_EQ(good.out.substr(0, 100), cut.out) << Describe(args);
    EXPECT_EQ(SIGPIPE, cut.signal) << Describe(args) << " status " << cut.status << "\n" << cut.err;
    EXPECT_NE(0, cut.status) << Describe(args);
    EXPECT_EQ(std::string::npos, cut.err.find("Found")) << Describe(args) << "\n" << cut.err;
  }
}

TEST(OutputFaultTest, ReaderThatClosesEarlyWithSigpipeIgnoredFails) {
  for (const Args& args : kWritingRuns) {
    ProcessOptions options;
    options.stdout_read_limit = 100;
    options.ignore_sigpipe = true;
    ProcessResult cut = RunStableGraphs(args, options);
    EXPECT_EQ(100u, cut.out.size()) << Describe(args);
    ExpectStoppedWithMessage(cut, std::string(kLostOutput) + "Broken pipe\n", Describe(args));
  }
}

TEST(OutputFaultTest, LostStandardErrorIsAFailureToo) {
  // The report is the result of a counting run; the banner alone is enough
  // to make the stream fail.
  ProcessOptions full_error;
  full_error.stderr_path = "/dev/full";
  for (const Args& args : {Args{"-P", "N", "3", "1"}, Args{"-S", "N", "-P", "T", "0", "4"}, Args{"-P", "B", "0"},
                           Args{"-S", "T", "-P", "N", "2"}}) {
    ProcessResult run = RunStableGraphs(args, full_error);
    EXPECT_EQ(0, run.signal) << Describe(args);
    EXPECT_EQ(2, run.status) << Describe(args);
  }
}

TEST(LaTeXDocumentTest, Compiles) {
  std::string pdflatex = FindOnPath("pdflatex");
  if (pdflatex.empty()) GTEST_SKIP() << "pdflatex is not on PATH";
  std::string pattern = (std::filesystem::path(testing::TempDir()) / "stable-graphs-latex-XXXXXX").string();
  ASSERT_NE(nullptr, mkdtemp(&pattern[0]));
  std::filesystem::path dir = pattern;
  int number = 0;
  for (const Args& args : {Args{"3", "1"}, Args{"0", "4"}, Args{"1", "2"}, Args{"2"}, Args{"-C", "2", "1", "3"}}) {
    ProcessResult run = RunGood(args);
    std::string name = "run" + std::to_string(number++);
    {
      std::ofstream tex(dir / (name + ".tex"), std::ios::binary);
      tex << run.out;
    }
    ProcessResult latex = RunProcess(pdflatex, {"pdflatex", "-halt-on-error", "-interaction=nonstopmode",
                                                "-output-directory=" + dir.string(), (dir / (name + ".tex")).string()});
    EXPECT_EQ(0, latex.status) << Describe(args) << "\n" << ReadFile((dir / (name + ".log")).string());
    EXPECT_TRUE(std::filesystem::exists(dir / (name + ".pdf"))) << Describe(args);
  }
  std::filesystem::remove_all(dir);
}

// What the README says: one pdflatex run leaves the longtable's widths to
// the next and asks for it; a second run, or latexmk -pdf, settles them.
TEST(LaTeXDocumentTest, CompilesAsTheReadmeSays) {
  std::string pdflatex = FindOnPath("pdflatex");
  std::string latexmk = FindOnPath("latexmk");
  if (pdflatex.empty() || latexmk.empty()) {
    if (getenv("STABLE_GRAPHS_REQUIRE_LATEX") != nullptr) FAIL() << "pdflatex or latexmk is not on PATH";
    GTEST_SKIP() << "pdflatex or latexmk is not on PATH";
  }
  std::string pattern = (std::filesystem::path(testing::TempDir()) / "stable-graphs-readme-XXXXXX").string();
  ASSERT_NE(nullptr, mkdtemp(&pattern[0]));
  std::filesystem::path dir = pattern;
  for (const char* name : {"twice", "latexmk"}) {
    std::ofstream(dir / (std::string(name) + ".tex"), std::ios::binary) << RunGood({"-S", "N", "1", "2"}).out;
  }
  const std::string rerun = "Rerun";
  Args once = {"pdflatex", "-halt-on-error", "-interaction=nonstopmode", "twice.tex"};
  ProcessOptions in_dir;
  auto run_in_dir = [&](const std::string& program, const Args& args) {
    Args shell = {"sh", "-c", "cd \"$0\" && exec \"$@\"", dir.string(), program};
    shell.insert(shell.end(), args.begin() + 1, args.end());
    return RunProcess("/bin/sh", shell, in_dir);
  };
  ASSERT_EQ(0, run_in_dir(pdflatex, once).status);
  EXPECT_NE(std::string::npos, ReadFile((dir / "twice.log").string()).find(rerun)) << "one run asks for another";
  ASSERT_EQ(0, run_in_dir(pdflatex, once).status);
  EXPECT_EQ(std::string::npos, ReadFile((dir / "twice.log").string()).find(rerun)) << "two runs settle the table";

  ProcessResult made = run_in_dir(latexmk, {"latexmk", "-pdf", "-interaction=nonstopmode", "latexmk.tex"});
  EXPECT_EQ(0, made.status) << made.out << made.err;
  EXPECT_TRUE(std::filesystem::exists(dir / "latexmk.pdf"));
  EXPECT_EQ(std::string::npos, ReadFile((dir / "latexmk.log").string()).find(rerun));
  std::filesystem::remove_all(dir);
}

}  // namespace

// The number of threads follows the CPUs the process may run on; whatever
// it is, every printer writes the same bytes and the reports do not change.
TEST(MainTest, OutputIndependentOfCpuCount) {
  const std::vector<std::vector<std::string>> runs = {
      {"-P", "B", "5", "0"}, {"-P", "T", "3", "3"}, {"-P", "L", "-C", "4", "2", "4"}, {"-S", "T", "-P", "B", "0", "10"}};
  for (const auto& args : runs) {
    ProcessOptions one_cpu;
    one_cpu.cpus = 1;
    ProcessResult single = RunStableGraphs(args, one_cpu);
    ProcessResult all = RunStableGraphs(args);
    ASSERT_EQ(0, single.status);
    EXPECT_FALSE(single.out.empty());
    EXPECT_EQ(single.out, all.out) << args[1];
    EXPECT_EQ(single.err, all.err) << args[1];
  }
}

namespace {

/// Removes the live indicators, each "[...]" erased by backspaces, spaces
/// and backspaces, from what a terminal received.
std::string without_indicators(const std::string& text, int* indicators) {
  std::string result;
  *indicators = 0;
  for (size_t k = 0; k < text.size();) {
    size_t close = text[k] == '[' ? text.find(']', k) : std::string::npos;
    if (close != std::string::npos) {
      size_t length = close + 1 - k;
      std::string erase = std::string(length, '\b') + std::string(length, ' ') + std::string(length, '\b');
      if (text.compare(close + 1, erase.size(), erase) == 0) {
        k = close + 1 + erase.size();
        ++*indicators;
        continue;
      }
    }
    result.push_back(text[k++]);
  }
  return result;
}

}  // namespace

// On a terminal the progress lines carry a live indicator that is erased
// before "done."; in a pipe nothing of it appears.
TEST(MainTest, ProgressIndicatorOnlyOnATerminal) {
  if (!PseudoTerminalAvailable()) GTEST_SKIP() << "no pseudo-terminal can be opened here (no /dev/pts?)";
  ProcessOptions terminal;
  terminal.stderr_terminal = true;
  terminal.cpus = 1;
  ProcessResult on_terminal = RunStableGraphs({"-P", "N", "4", "4"}, terminal);
  ProcessResult in_pipe = RunStableGraphs({"-P", "N", "4", "4"});
  ASSERT_EQ(0, on_terminal.status);
  EXPECT_EQ(std::string::npos, in_pipe.err.find('\b'));
  EXPECT_EQ(std::string::npos, in_pipe.err.find("% of the pass"));
  int indicators = 0;
  EXPECT_EQ(in_pipe.err, without_indicators(on_terminal.err, &indicators));
  EXPECT_GT(indicators, 0) << on_terminal.err;
  EXPECT_NE(std::string::npos, on_terminal.err.find(" left]")) << "an estimate of the time left";

  ProcessResult terse = RunStableGraphs({"-P", "N", "-S", "T", "4", "4"}, terminal);
  EXPECT_EQ(std::string::npos, terse.err.find("% of the pass")) << "only the full statistics show progress";
}
