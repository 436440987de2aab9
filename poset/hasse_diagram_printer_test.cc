// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "testing/test_support.h"
#include "poset/hasse_diagram_printer.h"

#include <gtest/gtest.h>

#include <string>

#include "computer/boundary_computer.h"
#include "testing/poset_test_support.h"
#include "poset/target_enumeration.h"

namespace {

std::string diagram(int g, int n, std::optional<int> edge_filter) {
  MemoryFile file;
  HasseDiagramPrinter printer(file.file(), g, n, edge_filter);
  EnumerateTargets(printer, g, n, false);
  BoundaryComputer computer(g, n, SearchOfEdgeFilter(edge_filter));
  computer.Compute(printer, StatisticsNone);
  EXPECT_EQ("", printer.Problem());
  return file.Text();
}

TEST(HasseDiagramPrinter, GenusTwo) {
  EXPECT_EQ(
      "digraph \"strata of (2, 0)\" {\n"
      "  rankdir=BT;\n"
      "  node [shape=box];\n"
      "  \"(1, 0, 1)\";\n"
      "  \"(1, 1, 1)\";\n"
      "  \"(1, 1, 1)\" -> \"(1, 0, 1)\" [label=\"1\"];\n"
      "  \"(1, 2, 1)\";\n"
      "  \"(1, 2, 1)\" -> \"(1, 1, 1)\" [label=\"2\"];\n"
      "  \"(2, 1, 1)\";\n"
      "  \"(2, 1, 1)\" -> \"(1, 0, 1)\" [label=\"1\"];\n"
      "  \"(2, 2, 1)\";\n"
      "  \"(2, 2, 1)\" -> \"(1, 1, 1)\" [label=\"1\"];\n"
      "  \"(2, 2, 1)\" -> \"(2, 1, 1)\" [label=\"1\"];\n"
      "  \"(2, 3, 1)\";\n"
      "  \"(2, 3, 1)\" -> \"(1, 2, 1)\" [label=\"3\"];\n"
      "  \"(2, 3, 2)\";\n"
      "  \"(2, 3, 2)\" -> \"(1, 2, 1)\" [label=\"1\"];\n"
      "  \"(2, 3, 2)\" -> \"(2, 2, 1)\" [label=\"2\"];\n"
      "  subgraph \"codimension 0\" {\n"
      "    rank=same;\n"
      "    \"(1, 0, 1)\";\n"
      "  }\n"
      "  subgraph \"codimension 1\" {\n"
      "    rank=same;\n"
      "    \"(1, 1, 1)\";\n"
      "    \"(2, 1, 1)\";\n"
      "  }\n"
      "  subgraph \"codimension 2\" {\n"
      "    rank=same;\n"
      "    \"(1, 2, 1)\";\n"
      "    \"(2, 2, 1)\";\n"
      "  }\n"
      "  subgraph \"codimension 3\" {\n"
      "    rank=same;\n"
      "    \"(2, 3, 1)\";\n"
      "    \"(2, 3, 2)\";\n"
      "  }\n"
      "}\n",
      diagram(2, 0, std::nullopt));
}

// The targets of one codimension's arrows get their level too; every node
// keeps the Id of the full run above.
TEST(HasseDiagramPrinter, GenusTwoCodimensionTwo) {
  EXPECT_EQ(
      "digraph \"strata of (2, 0)\" {\n"
      "  rankdir=BT;\n"
      "  node [shape=box];\n"
      "  \"(1, 2, 1)\";\n"
      "  \"(1, 2, 1)\" -> \"(1, 1, 1)\" [label=\"2\"];\n"
      "  \"(2, 2, 1)\";\n"
      "  \"(2, 2, 1)\" -> \"(1, 1, 1)\" [label=\"1\"];\n"
      "  \"(2, 2, 1)\" -> \"(2, 1, 1)\" [label=\"1\"];\n"
      "  subgraph \"codimension 1\" {\n"
      "    rank=same;\n"
      "    \"(1, 1, 1)\";\n"
      "    \"(2, 1, 1)\";\n"
      "  }\n"
      "  subgraph \"codimension 2\" {\n"
      "    rank=same;\n"
      "    \"(1, 2, 1)\";\n"
      "    \"(2, 2, 1)\";\n"
      "  }\n"
      "}\n",
      diagram(2, 0, 2));
}

}  // namespace
