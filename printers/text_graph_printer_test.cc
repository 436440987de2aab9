// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "printers/text_graph_printer.h"

#include <gtest/gtest.h>
#include <stdio.h>
#include <stdlib.h>

#include <string>
#include <vector>

#include "graph/graph.h"
#include "testing/test_support.h"

namespace {

/// MakeGraph's record, filed under `codimension`, of genus g.
Graph make(int g, const std::vector<int>& genus, const std::vector<int>& marks, const std::vector<int>& loops,
           const std::vector<int>& pairs, int codimension) {
  Graph graph = MakeGraph(genus, marks, loops, pairs);
  graph.g = g;
  graph.codimension = static_cast<int8_t>(codimension);
  return graph;
}

std::string block(const Graph& graph) {
  return CaptureOutput([&](FILE* f) { WriteGraphText(f, graph); });
}

/// Everything a printer writes over a whole document.
std::string document(TextGraphPrinter printer, const std::vector<GraphsByCodimension>& passes) {
  return CaptureOutput([&](FILE* f) {
    printer.file = f;
    printer.BeginPrint();
    for (GraphsByCodimension pass : passes) printer.PrintSomeGraph(pass);
    printer.EndPrint();
  });
}

}  // namespace

TEST(TextGraphPrinter, FourPointsOfGenusZero) {
  Graph one = make(0, {0}, {4}, {0}, {}, 0);
  Graph two = make(0, {0, 0}, {2, 2}, {0, 0}, {1}, 1);
  std::string text = document(TextGraphPrinter(nullptr, 0, 4), {{{0, {&one}}}, {{1, {&two}}}});
  EXPECT_EQ(
      "Strata of \\bar{M}_{0, 4}\n"
      "\n"
      "Genus: 0,\n"
      "  codimension: 0,\n"
      "  irreducible components: 1,\n"
      "  with genus 0 \n"
      "  with marked points 4 \n"
      "  with loops 0 \n"
      "  with adjacency matrix\n"
      "    0 \n"
      "\n"
      "Genus: 0,\n"
      "  codimension: 1,\n"
      "  irreducible components: 2,\n"
      "  with genus 0 0 \n"
      "  with marked points 2 2 \n"
      "  with loops 0 0 \n"
      "  with adjacency matrix\n"
      "    0 1 \n"
      "    1 0 \n"
      "\n",
      text);
}

TEST(GraphPrintNormal, CodimensionComesFromTheMatrix) {
  // The codimension field is deliberately wrong: the line counts the
  // entries on and above the diagonal.
  Graph triple = make(2, {0, 0}, {0, 0}, {0, 0}, {3}, 0);
  EXPECT_EQ(
      "Genus: 2,\n"
      "  codimension: 3,\n"
      "  irreducible components: 2,\n"
      "  with genus 0 0 \n"
      "  with marked points 0 0 \n"
      "  with loops 0 0 \n"
      "  with adjacency matrix\n"
      "    0 3 \n"
      "    3 0 \n"
      "\n",
      block(triple));

  Graph loop = make(1, {0}, {1}, {1}, {}, 0);
  EXPECT_EQ(
      "Genus: 1,\n"
      "  codimension: 1,\n"
      "  irreducible components: 1,\n"
      "  with genus 0 \n"
      "  with marked points 1 \n"
      "  with loops 1 \n"
      "  with adjacency matrix\n"
      "    1 \n"
      "\n",
      block(loop));
}

TEST(TextGraphPrinter, TitleAndNothingElse) {
  EXPECT_EQ("Strata of \\bar{M}_{2, 1}\n\n", document(TextGraphPrinter(nullptr, 2, 1), {}));
  TextGraphPrinter printer(nullptr, 0, 4);
  GraphsByCodimension empty;
  EXPECT_EQ("", CaptureOutput([&](FILE* f) {
              printer.file = f;
              printer.PrintSomeGraph(empty);
              printer.EndPrint();
            }));
}

TEST(TextGraphPrinter, OrderAndEdgeFilter) {
  Graph a = make(1, {0, 0}, {1, 1}, {0, 0}, {2}, 2);
  Graph b = make(1, {0, 1}, {1, 0}, {0, 0}, {1}, 1);
  Graph c = make(1, {0, 0}, {1, 1}, {1, 0}, {1}, 2);
  Graph d = make(1, {0, 0}, {1, 1}, {1, 1}, {1}, 3);
  GraphsByCodimension pass = {{2, {&a, &c}}, {1, {&b}}, {3, {&d}}};
  std::string title = "Strata of \\bar{M}_{1, 2}\n\n";

  EXPECT_EQ(title + block(b) + block(a) + block(c) + block(d),
            document(TextGraphPrinter(nullptr, 1, 2), {pass}));
  EXPECT_EQ(title + block(a) + block(c), document(TextGraphPrinter(nullptr, 1, 2, 2), {pass}));
  EXPECT_EQ(title, document(TextGraphPrinter(nullptr, 1, 2, 4), {pass}));
}

TEST(GraphPrintMatrix, OneComponentWithTwoLoops) {
  Graph graph = make(2, {0}, {0}, {2}, {}, 2);
  EXPECT_EQ("    2 \n", CaptureOutput([&](FILE* f) { WriteAdjacencyMatrix(f, graph); }));
  Graph three = make(0, {0, 0, 0}, {1, 1, 1}, {1, 0, 0}, {1, 0, 2}, 4);
  EXPECT_EQ("    1 1 0 \n    1 0 2 \n    0 2 0 \n", CaptureOutput([&](FILE* f) { WriteAdjacencyMatrix(f, three); }));
}
