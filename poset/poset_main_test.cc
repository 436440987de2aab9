// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
//
// Whole runs of stable-graphs and stable-graphs-convert with -P C, -P H and
// --boundary-complex.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <string>
#include <vector>

#include "testing/scratch_directory.h"
#include "testing/test_process.h"
#include "testing/test_support.h"
#include "stream/binary_graph_printer.h"

namespace {

using Args = std::vector<std::string>;

Args with(Args first, const Args& rest) {
  first.insert(first.end(), rest.begin(), rest.end());
  return first;
}

/// Standard output of a good run of the tool, without statistics.
std::string tool(const Args& args) {
  ProcessResult result = RunStableGraphs(with({"-S", "N"}, args));
  EXPECT_EQ(0, result.status) << testing::PrintToString(args) << "\n" << result.err;
  return result.out;
}

/// The Ids that follow `before` in a text, in order.
std::vector<std::string> ids_after(const std::string& text, const std::string& before) {
  std::vector<std::string> found;
  for (size_t at = text.find(before); at != std::string::npos; at = text.find(before, at + 1)) {
    size_t start = at + before.size();
    found.push_back(text.substr(start, text.find(')', start) + 1 - start));
  }
  return found;
}

/// The last line of a text.
std::string last_line(const std::string& text) {
  size_t end = text.size() > 0 && text.back() == '\n' ? text.size() - 1 : text.size();
  return text.substr(text.rfind('\n', end - 1) + 1, end - text.rfind('\n', end - 1) - 1);
}

class PosetMainTest : public ScratchDirectoryTest {
 protected:
  /// A byte stream of every graph of the tool's run with args.
  std::string stream(const Args& args) { return file_with("stream.bin", tool(with({"-P", "B"}, args))); }
};

// The converter reads the whole stream and picks the codimension itself;
// the tool enumerates the codimension below first.  Both write the same.
TEST_F(PosetMainTest, ToolAndConverterAgree) {
  for (const Args& type : {Args{"2", "1"}, Args{"-L", "1", "3"}, Args{"3", "0"}, Args{"-L", "0", "6"}}) {
    std::string path = stream(type);
    for (const char* format : {"C", "H"}) {
      for (const Args& filter : {Args{}, Args{"-C", "0"}, Args{"-C", "1"}, Args{"-C", "2"}, Args{"-C", "3"}}) {
        SCOPED_TRACE(testing::PrintToString(with(with({"-P", format}, filter), type)));
        std::string written = tool(with(with({"-P", format}, filter), type));
        ProcessResult converted = RunConverter(with({"-P", format}, with(filter, {path})));
        EXPECT_EQ(0, converted.status) << converted.err;
        EXPECT_EQ("", converted.err);
        EXPECT_EQ(written, converted.out);
        EXPECT_FALSE(written.empty());
      }
    }
  }
}

// The Ids are those of the Graphviz output of the same command, and those
// of the targets those of its run one codimension lower.
TEST_F(PosetMainTest, IdsAreThoseOfTheOtherPrinters) {
  for (const Args& args : {Args{"3", "1"}, Args{"-L", "1", "4"}, Args{"-C", "3", "3", "1"}, Args{"-L", "-C", "2", "2", "2"}}) {
    SCOPED_TRACE(testing::PrintToString(args));
    std::string contractions = tool(with({"-P", "C"}, args));
    std::vector<std::string> named = ids_after(tool(with({"-P", "D"}, args)), "graph \"");
    EXPECT_EQ(named, ids_after(contractions, "{\"id\": \""));
    std::vector<std::string> targets = ids_after(contractions, "[\"");
    ASSERT_FALSE(targets.empty());
    Args lower = args;
    auto filter = std::find(lower.begin(), lower.end(), "-C");
    if (filter != lower.end()) filter[1] = std::to_string(std::stoi(filter[1]) - 1);
    std::vector<std::string> lower_named = ids_after(tool(with({"-P", "D"}, lower)), "graph \"");
    for (const std::string& target : targets)
      EXPECT_NE(lower_named.end(), std::find(lower_named.begin(), lower_named.end(), target)) << target;
  }
}

// The silent run of the codimension below leaves the report as -C prints it.
TEST_F(PosetMainTest, ReportUnchangedByTheTargets) {
  for (const char* format : {"C", "H"}) {
    for (const Args& args : {Args{"-C", "2", "2", "2"}, Args{"-S", "T", "-L", "-C", "3", "1", "3"}}) {
      ProcessResult poset = RunStableGraphs(with({"-P", format}, args));
      ProcessResult plain = RunStableGraphs(with({"-P", "N"}, args));
      EXPECT_EQ(0, poset.status);
      EXPECT_EQ(plain.err, poset.err) << testing::PrintToString(args);
    }
  }
}

// A stream that lacks a graph below the top codimension fails the check.
TEST_F(PosetMainTest, AStreamMissingAGraphFailsTheCheck) {
  std::vector<Graph> graphs = AllGraphs(2, 2);
  ASSERT_GT(graphs.size(), 20u);
  std::string without = CaptureOutput([&](FILE* file) {
    BinaryGraphPrinter printer(file, 2, 2);
    printer.BeginPrint();
    for (size_t i = 0; i < graphs.size(); ++i) {
      if (i == 6) continue;  // a graph of codimension 2
      GraphsByCodimension pass;
      pass[graphs[i].codimension].push_back(&graphs[i]);
      printer.PrintSomeGraph(pass);
    }
    printer.EndPrint();
  });
  ASSERT_EQ(2, graphs[6].codimension);
  std::string path = file_with("damaged.bin", without);
  for (const char* format : {"C", "H"}) {
    ProcessResult converted = RunConverter({"-P", format, path});
    EXPECT_EQ(4, converted.status) << format;
    EXPECT_EQ(0u, converted.err.find("stable-graphs-convert: contraction check: (")) << converted.err;
    EXPECT_EQ(1, std::count(converted.err.begin(), converted.err.end(), '\n')) << converted.err;
    EXPECT_NE(std::string::npos, converted.err.find("codimension 2 that is not among the graphs"));
  }
  // The whole stream passes.
  EXPECT_EQ(0, RunConverter({"-P", "C", stream({"2", "2"})}).status);
}

TEST_F(PosetMainTest, BoundaryComplexLine) {
  const std::string line =
      "boundary complex of (1, 4): reduced Euler characteristic of Delta_{1,4} = -3, of Delta_{1,4}/S_4 = 0";
  for (const Args& args : {Args{"-P", "N"}, Args{"-P", "B", "-L"}, Args{"-P", "N", "-L", "-E"}}) {
    ProcessResult result = RunStableGraphs(with(with(args, {"--boundary-complex"}), {"1", "4"}));
    EXPECT_EQ(0, result.status) << result.err;
    EXPECT_NE(std::string::npos, result.err.find(line + "\n")) << testing::PrintToString(args) << result.err;
  }
  for (const Args& type : {Args{"1", "4"}, Args{"-L", "1", "4"}}) {
    ProcessResult converted = RunConverter({"-P", "N", "--boundary-complex", stream(type)});
    EXPECT_EQ(0, converted.status) << converted.err;
    EXPECT_EQ(line + "\n", converted.err);
  }
  ProcessResult genus_three = RunStableGraphs({"-P", "N", "-S", "N", "--boundary-complex", "3"});
  EXPECT_EQ("boundary complex of (3, 0): reduced Euler characteristic of Delta_{3,0} = -1, of Delta_{3,0}/S_0 = -1",
            last_line(genus_three.err));
  // Without the option nothing changes.
  EXPECT_EQ(std::string::npos, RunStableGraphs({"-P", "N", "1", "4"}).err.find("boundary complex"));
}

TEST_F(PosetMainTest, RefusedCombinations) {
  ProcessResult filtered = RunStableGraphs({"--boundary-complex", "-C", "1", "2"});
  EXPECT_EQ(1, filtered.status);
  EXPECT_EQ("stable-graphs: --boundary-complex needs every graph, so it cannot be combined with -C\n", filtered.err);
  ProcessResult converted = RunConverter({"--boundary-complex", "-C", "1", stream({"2"})});
  EXPECT_EQ(1, converted.status);
  EXPECT_EQ("stable-graphs-convert: --boundary-complex needs every graph, so it cannot be combined with -C\n",
            converted.err);
  ProcessResult resumable = RunStableGraphs({"--checkpoint", dir + "/run.checkpoint", "-P", "H", "2"});
  EXPECT_EQ(1, resumable.status);
  EXPECT_EQ("stable-graphs: -P H keeps the graphs in memory and cannot be resumed: drop --checkpoint\n",
            resumable.err);
  EXPECT_EQ(0u, RunStableGraphs({"-P", "X", "2"}).err.find("stable-graphs: option -P takes L, T, B, J, S, D, C, H or N, not 'X'\n"));
}

// Sums over a part of the graphs are not those of the boundary complex:
// -M other than st is refused, as -C is, by both tools.
TEST_F(PosetMainTest, BoundaryComplexRefusesModuliTypes) {
  for (const char* type : {"ct", "rt", "tl", "sm"}) {
    ProcessResult tool_run = RunStableGraphs({"-P", "N", "-S", "N", "--boundary-complex", "-M", type, "3", "0"});
    EXPECT_EQ(1, tool_run.status) << type;
    EXPECT_EQ("", tool_run.out);
    EXPECT_EQ(std::string("stable-graphs: --boundary-complex needs every stable graph, so it cannot be combined with "
                          "-M ") + type + "\n",
              tool_run.err);
    ProcessResult converted = RunConverter({"-P", "N", "--boundary-complex", "-M", type, stream({"3", "0"})});
    EXPECT_EQ(1, converted.status) << type;
    EXPECT_EQ(std::string("stable-graphs-convert: --boundary-complex needs every stable graph, so it cannot be "
                          "combined with -M ") + type + "\n",
              converted.err);
  }
}

// The converter checks that a stream holds every stable graph before it
// writes the sums: a graph cut out, or a stream written with -C or -M,
// ends with status 4 and one line instead of a wrong value of Delta.
TEST_F(PosetMainTest, BoundaryComplexOfAStreamNotWhole) {
  std::vector<Graph> graphs = AllGraphs(2, 0);
  ASSERT_EQ(7u, graphs.size());
  for (size_t cut = 0; cut < graphs.size(); ++cut) {
    std::string without = CaptureOutput([&](FILE* file) {
      BinaryGraphPrinter printer(file, 2, 0);
      printer.BeginPrint();
      for (size_t i = 0; i < graphs.size(); ++i) {
        if (i == cut) continue;
        GraphsByCodimension pass;
        pass[graphs[i].codimension].push_back(&graphs[i]);
        printer.PrintSomeGraph(pass);
      }
      printer.EndPrint();
    });
    ProcessResult converted =
        RunConverter({"-P", "N", "--boundary-complex", file_with("cut" + std::to_string(cut) + ".bin", without)});
    EXPECT_EQ(4, converted.status) << "without graph " << cut << ": " << converted.err;
    EXPECT_EQ(std::string::npos, converted.err.find("reduced Euler characteristic")) << converted.err;
    EXPECT_NE(std::string::npos, converted.err.find("stable-graphs-convert: --boundary-complex: the stream does not "
                                                    "hold every stable graph of type (2, 0) ("))
        << converted.err;
    EXPECT_NE(std::string::npos, converted.err.find("): Delta_{2,0} is not written\n")) << converted.err;
  }
  for (const Args& args : {Args{"-P", "B", "-S", "N", "-C", "2", "3", "1"}, Args{"-P", "B", "-S", "N", "-C", "0", "3", "1"},
                           Args{"-P", "B", "-S", "N", "-M", "ct", "3", "0"},
                           Args{"-P", "B", "-S", "N", "-M", "tl", "2", "1"},
                           Args{"-P", "B", "-S", "N", "-M", "rt", "1", "3"}}) {
    ProcessResult written = RunStableGraphs(args);
    ASSERT_EQ(0, written.status);
    std::string path = file_with("part.bin", written.out);
    for (const char* format : {"N", "C", "T"}) {
      ProcessResult converted = RunConverter({"-P", format, "--boundary-complex", path});
      EXPECT_EQ(4, converted.status) << testing::PrintToString(args) << format << converted.err;
      EXPECT_EQ(std::string::npos, converted.err.find("reduced Euler characteristic")) << converted.err;
      EXPECT_NE(std::string::npos, converted.err.find("is not written\n")) << converted.err;
    }
  }
  // A whole stream, labelled or not, gives the tool's line; so does a
  // genus-0 stream of -M ct, which holds every graph of its type.
  for (const Args& type : {Args{"3", "0"}, Args{"-L", "1", "3"}}) {
    ProcessResult whole = RunConverter({"-P", "N", "--boundary-complex", stream(type)});
    EXPECT_EQ(0, whole.status) << whole.err;
    EXPECT_EQ(last_line(RunStableGraphs(with({"-P", "N", "-S", "N", "--boundary-complex"}, type)).err) + "\n",
              whole.err);
  }
  ProcessResult trees = RunStableGraphs({"-P", "B", "-S", "N", "-M", "ct", "0", "6"});
  ProcessResult from_trees = RunConverter({"-P", "N", "--boundary-complex", file_with("trees.bin", trees.out)});
  EXPECT_EQ(0, from_trees.status) << from_trees.err;
  EXPECT_EQ("boundary complex of (0, 6): reduced Euler characteristic of Delta_{0,6} = 24, of Delta_{0,6}/S_6 = 0\n",
            from_trees.err);
}

// Graphviz draws the diagram with one level per codimension.
TEST_F(PosetMainTest, GraphvizDrawsTheDiagram) {
  std::string dot = FindOnPath("dot");
  if (dot.empty()) {
    if (getenv("STABLE_GRAPHS_REQUIRE_GRAPHVIZ") != nullptr) FAIL() << "dot (graphviz) is not on PATH";
    GTEST_SKIP() << "dot (graphviz) is not on PATH";
  }
  ProcessOptions from_file;
  from_file.stdin_path = file_with("diagram.dot", tool({"-P", "H", "2", "1"}));
  ProcessResult drawn = RunProcess(dot, {"dot", "-Tplain"}, from_file);
  ASSERT_EQ(0, drawn.status);
  EXPECT_EQ("", drawn.err);
  // "node NAME X Y ...": the height of every node, by codimension.
  std::vector<std::vector<double>> heights(5);
  size_t nodes = 0;
  for (size_t at = drawn.out.find("\nnode \"("); at != std::string::npos; at = drawn.out.find("\nnode \"(", at + 1)) {
    int K, c, i;
    double x, y;
    ASSERT_EQ(5, sscanf(drawn.out.c_str() + at, "\nnode \"(%d, %d, %d)\" %lf %lf", &K, &c, &i, &x, &y));
    heights[c].push_back(y);
    ++nodes;
  }
  EXPECT_EQ(16u, nodes);  // the strata of M-bar_{2,1}
  for (int c = 0; c < 5; ++c) {
    ASSERT_FALSE(heights[c].empty()) << c;
    for (double y : heights[c]) EXPECT_EQ(heights[c][0], y) << "codimension " << c;
    if (c > 0) {
      EXPECT_LT(heights[c][0], heights[c - 1][0]) << "codimension " << c << " below " << c - 1;
    }
  }
}

}  // namespace
