// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "printers/dot_graph_printer.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "graph/graph.h"
#include "testing/test_process.h"
#include "testing/test_support.h"

namespace {

using Args = std::vector<std::string>;

/// A record of genus.size() components; `pairs` holds the multiplicities of
/// the pairs (0,1), (0,2), ..., (K-2,K-1) row by row.
Graph make(const std::vector<int>& genus, const std::vector<int>& marks, const std::vector<int>& loops,
           const std::vector<int>& pairs, int g, int codimension) {
  Graph graph = MakeGraph(genus, marks, loops, pairs);
  graph.g = g;
  graph.codimension = static_cast<int8_t>(codimension);
  return graph;
}

/// Everything the printer writes for the given passes.
std::string document(DotGraphPrinter printer, const std::vector<GraphsByCodimension>& passes) {
  return CaptureOutput([&](FILE* file) {
    printer.file = file;
    printer.BeginPrint();
    for (GraphsByCodimension pass : passes) printer.PrintSomeGraph(pass);
    printer.EndPrint();
  });
}

/// The Ids "(K, c, i)" in the order a document shows them, each the text
/// from a "(" right after `before` to the next ")": the LaTeX table's Id
/// cells, the DOT graphs' names or labels.
std::vector<std::string> ids(const std::string& text, const std::string& before) {
  std::vector<std::string> found;
  for (size_t at = text.find(before + "("); at != std::string::npos; at = text.find(before + "(", at + 1)) {
    size_t start = at + before.size();
    found.push_back(text.substr(start, text.find(')', start) + 1 - start));
  }
  return found;
}

/// What stable-graphs writes on standard output for args, without statistics.
std::string tool_output(const Args& args) {
  Args full = {"-S", "N"};
  full.insert(full.end(), args.begin(), args.end());
  ProcessResult result = RunStableGraphs(full);
  EXPECT_EQ(0, result.status) << testing::PrintToString(args) << result.err;
  return result.out;
}

}  // namespace

TEST(DotGraphPrinter, LoopsAndParallelEdgesAreEdgesOfTheirOwn) {
  // Vertex 0 carries two loops and meets vertex 2 three times; vertices 0
  // and 1 are not joined.
  Graph three = make({1, 0, 0}, {0, 2, 1}, {2, 0, 0}, {0, 3, 1}, 5, 6);
  EXPECT_EQ(
      "graph \"(3, 6, 1)\" {\n"
      "  label=\"(3, 6, 1)\";\n"
      "  node [shape=circle];\n"
      "  v0 [label=<1<sub>0</sub>>];\n"
      "  v1 [label=<0<sub>2</sub>>];\n"
      "  v2 [label=<0<sub>1</sub>>];\n"
      "  v0 -- v0;\n"
      "  v0 -- v0;\n"
      "  v0 -- v2;\n"
      "  v0 -- v2;\n"
      "  v0 -- v2;\n"
      "  v1 -- v2;\n"
      "}\n",
      document(DotGraphPrinter(nullptr), {{{6, {&three}}}}));
}

TEST(DotGraphPrinter, LoneVertexHasNoEdge) {
  Graph one = make({0}, {4}, {0}, {}, 0, 0);
  EXPECT_EQ(
      "graph \"(1, 0, 1)\" {\n"
      "  label=\"(1, 0, 1)\";\n"
      "  node [shape=circle];\n"
      "  v0 [label=<0<sub>4</sub>>];\n"
      "}\n",
      document(DotGraphPrinter(nullptr), {{{0, {&one}}}}));
}

// The number counts the graphs of one component count and codimension: a
// codimension going on into the next pass starts again from 1, an edge
// filter leaves the Ids as they are, and BeginPrint starts afresh.
TEST(DotGraphPrinter, NumbersCountEachComponentsAndCodimension) {
  Graph a = make({1}, {1}, {0}, {}, 1, 0);
  Graph b = make({0}, {1}, {1}, {}, 1, 1);
  Graph c = make({0, 1}, {1, 0}, {0, 0}, {1}, 1, 1);
  Graph d = make({0, 0}, {1, 0}, {0, 0}, {2}, 1, 2);
  Graph e = make({0, 0}, {0, 1}, {1, 0}, {1}, 1, 2);
  DotGraphPrinter printer(nullptr);
  std::vector<GraphsByCodimension> passes = {{{0, {&a}}, {1, {&b}}}, {{1, {&c}}, {2, {&d, &e}}}};
  std::string text = document(printer, passes);
  const std::string name = "graph \"";
  EXPECT_EQ((std::vector<std::string>{"(1, 0, 1)", "(1, 1, 1)", "(2, 1, 1)", "(2, 2, 1)", "(2, 2, 2)"}),
            ids(text, name));
  EXPECT_EQ(text, document(printer, passes));
  EXPECT_EQ((std::vector<std::string>{"(1, 1, 1)", "(2, 1, 1)"}),
            ids(document(DotGraphPrinter(nullptr, 1), passes), name));
  // A pass handed over in two calls numbers on across them.
  std::vector<GraphsByCodimension> split = {{{0, {&a}}, {1, {&b}}}, {{1, {&c}}, {2, {&d}}}, {{2, {&e}}}};
  EXPECT_EQ(text, document(printer, split));
}

// The LaTeX table shows the same graphs in the same order, with their
// components and codimension; only its numbers may differ.
TEST(DotGraphPrinter, GraphsAreThoseOfTheLaTeXTable) {
  // Id cells read $\scriptstyle{(1, 0, 1)}$.
  const std::string cell = "$\\scriptstyle{", name = "graph \"";
  auto kinds = [](const std::vector<std::string>& ids) {
    std::vector<std::string> result;
    for (const std::string& id : ids) result.push_back(id.substr(0, id.rfind(',')));
    return result;
  };
  for (const Args& args :
       {Args{"1", "3"}, Args{"0", "7"}, Args{"3", "0"}, Args{"-C", "1", "1", "3"}, Args{"-C", "3", "3", "0"}}) {
    Args latex = {"-P", "L"}, dot = {"-P", "D"};
    latex.insert(latex.end(), args.begin(), args.end());
    dot.insert(dot.end(), args.begin(), args.end());
    std::vector<std::string> expected = kinds(ids(tool_output(latex), cell));
    EXPECT_FALSE(expected.empty()) << testing::PrintToString(args);
    EXPECT_EQ(expected, kinds(ids(tool_output(dot), name))) << testing::PrintToString(args);
  }
}

// The state is the last Id; a resumed printer numbers on from it.  The
// "codimension number" of earlier versions is taken up at the start of a
// run only: after graphs were written it is refused, since their Ids are
// of the other numbering.
TEST(DotGraphPrinter, StateAndTheStateOfEarlierVersions) {
  Graph d = make({0, 0}, {1, 0}, {0, 0}, {2}, 1, 2);
  PrintedSoFar none, some;
  none.per_components = {0, 0, 0};
  none.per_codimension = {0, 0, 0};
  some.per_components = {0, 2, 2};
  some.per_codimension = {1, 2, 1};
  DotGraphPrinter printer(nullptr);
  ASSERT_TRUE(printer.RestoreState("2 2 1"));
  EXPECT_EQ("", printer.RestoredStateProblem(some));
  EXPECT_EQ("2 2 1", printer.State());
  EXPECT_EQ(0u, CaptureOutput([&](FILE* file) {
              printer.file = file;
              GraphsByCodimension pass = {{2, {&d}}};
              printer.PrintSomeGraph(pass);
            }).find("graph \"(2, 2, 2)\""));
  EXPECT_EQ("2 2 2", printer.State());
  ASSERT_TRUE(printer.RestoreState("-1 0"));
  EXPECT_EQ("", printer.State());
  EXPECT_EQ("", printer.RestoredStateProblem(none));
  EXPECT_EQ("the graph numbering is at its start, but 4 graphs were printed", printer.RestoredStateProblem(some));
  ASSERT_TRUE(printer.RestoreState("2 1"));
  EXPECT_EQ(
      "the Graphviz graphs written so far are numbered along codimension sections, as earlier versions of "
      "stable-graphs numbered them; finish that run with that version",
      printer.RestoredStateProblem(some));
  ASSERT_TRUE(printer.RestoreState(""));
  EXPECT_EQ("", printer.RestoredStateProblem(none));
  for (const char* bad : {"2 -1", "2 2 0", "x", "2 2 1 1"}) EXPECT_FALSE(printer.RestoreState(bad)) << bad;
}

// Graphviz's dot draws every graph of several types, one SVG each, without a
// word on standard error.
TEST(DotGraphPrinter, GraphvizDrawsEveryGraph) {
  std::string dot = FindOnPath("dot");
  if (dot.empty()) {
    // CI sets this, so that a missing Graphviz cannot pass for a drawing.
    if (getenv("STABLE_GRAPHS_REQUIRE_GRAPHVIZ") != nullptr) FAIL() << "dot (graphviz) is not on PATH";
    GTEST_SKIP() << "dot (graphviz) is not on PATH";
  }
  std::string path = testing::TempDir() + "stable-graphs-dot-" + std::to_string(getpid()) + ".dot";
  for (const Args& type : {Args{"0", "7"}, Args{"1", "4"}, Args{"2", "2"}, Args{"3", "1"}, Args{"4", "0"}}) {
    SCOPED_TRACE("type " + testing::PrintToString(type));
    std::string json = tool_output({"-P", "J", type[0], type[1]});
    long graphs = std::count(json.begin(), json.end(), '\n');
    ASSERT_GT(graphs, 6);
    std::ofstream(path, std::ios::binary) << tool_output({"-P", "D", type[0], type[1]});
    ProcessOptions from_file;
    from_file.stdin_path = path;
    ProcessResult drawn = RunProcess(dot, {"dot", "-Tsvg"}, from_file);
    EXPECT_EQ(0, drawn.status);
    EXPECT_EQ("", drawn.err);
    long pictures = 0;
    for (size_t at = drawn.out.find("</svg>"); at != std::string::npos; at = drawn.out.find("</svg>", at + 1)) ++pictures;
    EXPECT_EQ(graphs, pictures);
  }
  unlink(path.c_str());
}
