// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "graph/graph_printer.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <stdexcept>
#include <vector>

#include "euler/euler_check.h"
#include "printers/dot_graph_printer.h"
#include "printers/json_graph_printer.h"
#include "printers/latex_graph_printer.h"
#include "printers/sage_graph_printer.h"
#include "printers/text_graph_printer.h"
#include "stream/binary_graph_printer.h"

namespace {

/// A graph whose only field read here is its codimension.
Graph of_codimension(int codimension) {
  Graph graph(1, 0, 1);
  graph.codimension = static_cast<int8_t>(codimension);
  return graph;
}

std::vector<int> walked(const GraphsByCodimension& graphs, std::optional<int> codimension) {
  std::vector<int> seen;
  ForEachGraphToPrint(graphs, codimension, [&](const Graph& graph) { seen.push_back(graph.codimension); });
  return seen;
}

TEST(ForEachGraphToPrint, EveryGraphOrThoseOfOneCodimension) {
  Graph a = of_codimension(0), b = of_codimension(2), c = of_codimension(2), d = of_codimension(3);
  GraphsByCodimension graphs{{0, {&a}}, {2, {&b, &c}}, {3, {&d}}};
  EXPECT_EQ((std::vector<int>{0, 2, 2, 3}), walked(graphs, std::nullopt));
  EXPECT_EQ((std::vector<int>{2, 2}), walked(graphs, 2));
  EXPECT_EQ((std::vector<int>{0}), walked(graphs, 0));
  EXPECT_TRUE(walked(graphs, 1).empty());
}

TEST(InCodimension, NotGivenMeansEvery) {
  EXPECT_TRUE(InCodimension(0, std::nullopt));
  EXPECT_TRUE(InCodimension(7, std::nullopt));
  EXPECT_TRUE(InCodimension(7, 7));
  EXPECT_FALSE(InCodimension(6, 7));
  EXPECT_FALSE(InCodimension(-1, 0));
}

// -1 once meant every graph.  Read as a codimension it would print
// nothing and check nothing, so every place that takes a codimension from
// a caller refuses a negative one instead.
TEST(CheckedCodimension, NegativeNumbersOfEdgesAreRefused) {
  EXPECT_EQ(std::nullopt, CheckedCodimension(std::nullopt));
  EXPECT_EQ(0, CheckedCodimension(0));
  EXPECT_EQ(5, CheckedCodimension(5));
  EXPECT_THROW(CheckedCodimension(-1), std::invalid_argument);
  EXPECT_THROW(TextGraphPrinter(nullptr, 1, 2, -1), std::invalid_argument);
  EXPECT_THROW(LaTeXGraphPrinter(nullptr, 1, 2, -1), std::invalid_argument);
  EXPECT_THROW(BinaryGraphPrinter(nullptr, 1, 2, -1), std::invalid_argument);
  EXPECT_THROW(JsonGraphPrinter(nullptr, -1), std::invalid_argument);
  EXPECT_THROW(SageGraphPrinter(nullptr, -1), std::invalid_argument);
  EXPECT_THROW(DotGraphPrinter(nullptr, -3), std::invalid_argument);
  EXPECT_THROW(WriteEulerCheck(nullptr, 1, 1, -1, std::map<int, mpq_class>()), std::invalid_argument);
  EXPECT_EQ(3, TextGraphPrinter(nullptr, 1, 2, 3).edge_filter);
  EXPECT_EQ(std::nullopt, TextGraphPrinter(nullptr, 1, 2).edge_filter);
}

}  // namespace
