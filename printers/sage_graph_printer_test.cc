// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "printers/sage_graph_printer.h"

#include <gtest/gtest.h>
#include <stdio.h>
#include <stdlib.h>

#include <string>
#include <vector>

#include "graph/graph.h"
#include "testing/test_support.h"

namespace {


/// Everything the printer writes for the given passes.
std::string document(SageGraphPrinter printer, const std::vector<GraphsByCodimension>& passes) {
  char* buffer = nullptr;
  size_t size = 0;
  printer.file = open_memstream(&buffer, &size);
  printer.BeginPrint();
  for (GraphsByCodimension pass : passes) printer.PrintSomeGraph(pass);
  printer.EndPrint();
  fclose(printer.file);
  std::string text(buffer, size);
  free(buffer);
  return text;
}

std::string line_of(const Graph& graph) {
  Graph copy = graph;
  return document(SageGraphPrinter(nullptr), {{{copy.codimension, {&copy}}}});
}

}  // namespace

TEST(SageGraphPrinter, FourPointsOfGenusZero) {
  Graph one = MakeGraph({0}, {4}, {0}, {});
  Graph two = MakeGraph({0, 0}, {2, 2}, {0, 0}, {1});
  EXPECT_EQ(
      "StableGraph([0], [[1, 2, 3, 4]], [])\n"
      "StableGraph([0, 0], [[1, 2, 5], [3, 4, 6]], [(5, 6)])\n",
      document(SageGraphPrinter(nullptr), {{{0, {&one}}}, {{1, {&two}}}}));
}

TEST(SageGraphPrinter, EdgesBetweenVerticesComeBeforeLoops) {
  // n = 3: half-edges from 4 on.  Pair (0,1) twice: 4-5, 6-7; pair (1,2)
  // once: 8-9; then the loop of vertex 0: 10-11, and of vertex 2: 12-13.
  Graph graph = MakeGraph({0, 1, 0}, {2, 0, 1}, {1, 0, 1}, {2, 0, 1});
  EXPECT_EQ("StableGraph([0, 1, 0], [[1, 2, 4, 6, 10, 11], [5, 7, 8], [3, 9, 12, 13]], "
            "[(4, 5), (6, 7), (8, 9), (10, 11), (12, 13)])\n",
            line_of(graph));
}

TEST(SageGraphPrinter, NoLegsAtAll) {
  EXPECT_EQ("StableGraph([2], [[]], [])\n", line_of(MakeGraph({2}, {0}, {0}, {})));
  EXPECT_EQ("StableGraph([0], [[1, 2, 3, 4]], [(1, 2), (3, 4)])\n", line_of(MakeGraph({0}, {0}, {2}, {})));
}

TEST(SageGraphPrinter, EdgeFilter) {
  Graph torus = MakeGraph({1}, {1}, {0}, {});
  Graph loop = MakeGraph({0}, {1}, {1}, {});
  GraphsByCodimension pass = {{0, {&torus}}, {1, {&loop}}};
  EXPECT_EQ(line_of(torus) + line_of(loop), document(SageGraphPrinter(nullptr), {pass}));
  EXPECT_EQ(line_of(loop), document(SageGraphPrinter(nullptr, 1), {pass}));
}
