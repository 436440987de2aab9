// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "poset/stratum_key.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "computer/boundary_computer.h"
#include "labelled/labelling_printer.h"
#include "testing/test_support.h"

namespace {

/// The graph with vertex v moved to place[v].
Graph permuted(const Graph& graph, const std::vector<int>& place) {
  Graph result(graph.g, graph.n, graph.K);
  result.codimension = graph.codimension;
  result.labelled = graph.labelled;
  for (int v = 0; v < graph.K; ++v) {
    result.genus[place[v]] = graph.genus[v];
    result.marked_points[place[v]] = graph.marked_points[v];
    result.loops[place[v]] = graph.loops[v];
    for (int w = 0; w < graph.K; ++w) result.adjacency[place[v]][place[w]] = graph.adjacency[v][w];
  }
  if (graph.labelled)
    for (int l = 0; l < graph.n; ++l) result.vertex_of_label[l] = static_cast<int8_t>(place[graph.vertex_of_label[l]]);
  return result;
}

/// Every graph of (g, n), or every labelled graph.
std::vector<Graph> graphs_of(int g, int n, bool labelled) {
  if (!labelled) return AllGraphs(g, n);
  class Collect : public GraphPrinter {
   public:
    void BeginPrint() override {}
    void EndPrint() override {}
    void PrintSomeGraph(const GraphsByCodimension& graphs) override {
      for (auto& entry : graphs)
        for (const Graph* graph : entry.second) collected.push_back(*graph);
    }
    std::vector<Graph> collected;
  } collect;
  LabellingPrinter labelling(collect);
  BoundaryComputer computer(g, n);
  computer.Compute(labelling, StatisticsNone);
  return collect.collected;
}

// Types whose graphs have many symmetries (twins, cycles, parallel edges),
// so that every way to the key is taken.
TEST(StratumKey, SameForEveryOrderOfTheVertices) {
  std::mt19937 random(20260);
  struct Case {
    int g, n;
    bool labelled;
  } cases[] = {{4, 0, false}, {3, 2, false}, {2, 3, false}, {0, 7, false}, {2, 3, true}, {1, 5, true}, {3, 1, true}};
  for (const Case& c : cases) {
    for (const Graph& graph : graphs_of(c.g, c.n, c.labelled)) {
      std::string key = StratumKey(graph);
      std::vector<int> place(graph.K);
      for (int v = 0; v < graph.K; ++v) place[v] = v;
      for (int round = 0; round < 6; ++round) {
        std::shuffle(place.begin(), place.end(), random);
        ASSERT_EQ(key, StratumKey(permuted(graph, place)))
            << "(" << c.g << ", " << c.n << ")" << (c.labelled ? " labelled" : "");
      }
    }
  }
}

TEST(StratumKey, DiffersForEveryTwoGraphsOfAType) {
  struct Case {
    int g, n;
    bool labelled;
  } cases[] = {{5, 0, false}, {3, 3, false}, {1, 6, false}, {0, 8, false}, {2, 4, true}, {1, 5, true}, {0, 7, true}};
  for (const Case& c : cases) {
    std::vector<Graph> graphs = graphs_of(c.g, c.n, c.labelled);
    std::set<std::string> keys;
    for (const Graph& graph : graphs) keys.insert(StratumKey(graph));
    EXPECT_EQ(graphs.size(), keys.size()) << "(" << c.g << ", " << c.n << ")" << (c.labelled ? " labelled" : "");
  }
}

// Two labelled graphs over one graph differ only in where the labels sit.
TEST(StratumKey, TellsLabelsApart) {
  Graph graph = MakeGraph({0, 0}, {2, 2}, {0, 0}, {1});
  graph.labelled = true;
  const int8_t words[][4] = {{0, 0, 1, 1}, {0, 1, 0, 1}, {0, 1, 1, 0}, {1, 1, 0, 0}};
  std::vector<std::string> keys;
  for (const auto& word : words) {
    std::copy(word, word + 4, graph.vertex_of_label);
    keys.push_back(StratumKey(graph));
  }
  // {1,2}|{3,4} is {3,4}|{1,2} with the vertices swapped; the others differ.
  EXPECT_EQ(keys[0], keys[3]);
  EXPECT_NE(keys[0], keys[1]);
  EXPECT_NE(keys[0], keys[2]);
  EXPECT_NE(keys[1], keys[2]);
}

}  // namespace
