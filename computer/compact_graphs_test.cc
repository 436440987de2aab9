// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "computer/compact_graphs.h"

#include <gtest/gtest.h>

#include "graph/graph_class.h"

namespace {

/// Four components with decorations and multiplicities from 0 to 9, the
/// largest a graph of genus 8 can carry.
Graph decorated(int first_multiplicity) {
  Graph graph(8, 3, 4);
  graph.g = 8;
  graph.n = 3;
  const int8_t genus[] = {0, 0, 1, 2}, marked[] = {1, 2, 0, 0}, loops[] = {1, 0, 0, 1};
  for (int v = 0; v < 4; ++v) {
    graph.genus[v] = genus[v];
    graph.marked_points[v] = marked[v];
    graph.SetLoops(v, loops[v]);
  }
  const int multiplicity[4][4] = {{0, first_multiplicity, 0, 1}, {0, 0, 2, 0}, {0, 0, 0, 9}, {}};
  for (int i = 0; i < 4; ++i)
    for (int j = i + 1; j < 4; ++j) graph.adjacency[i][j] = graph.adjacency[j][i] = multiplicity[i][j];
  return graph;
}

}  // namespace

TEST(CompactGraphs, ExpandsWhatWasAppended) {
  CompactGraphs store(decorated(0));
  for (int m = 0; m < 5; ++m) store.Append(decorated(m));
  ASSERT_EQ(5u, store.size());
  for (int m = 0; m < 5; ++m) {
    Graph original = decorated(m);
    Graph expanded(-1, -1, -1);
    store.Expand(m, expanded);
    EXPECT_EQ(8, expanded.g);
    EXPECT_EQ(3, expanded.n);
    ASSERT_EQ(4, expanded.K);
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(original.genus[i], expanded.genus[i]);
      EXPECT_EQ(original.marked_points[i], expanded.marked_points[i]);
      EXPECT_EQ(original.loops[i], expanded.loops[i]);
      for (int j = 0; j < 4; ++j) EXPECT_EQ(original.adjacency[i][j], expanded.adjacency[i][j]) << i << j;
    }
    EXPECT_EQ(2 + m + 1 + 2 + 9, expanded.codimension) << "loops plus multiplicities";
    GraphClass key(expanded);
    EXPECT_EQ(m == 1 ? 2 : 1, key.multiplicity_count[1]);
    EXPECT_EQ(m == 2 ? 2 : 1, key.multiplicity_count[2]);
    EXPECT_EQ(1, key.multiplicity_count[9]);
  }
}

TEST(CompactGraphs, OneComponentNeedsNoPairs) {
  Graph lone(2, 1, 1);
  lone.g = 2;
  lone.n = 1;
  lone.genus[0] = 1;
  lone.marked_points[0] = 1;
  lone.SetLoops(0, 1);
  CompactGraphs store(lone);
  store.Append(lone);
  store.Append(lone);
  Graph expanded(-1, -1, -1);
  store.Expand(1, expanded);
  EXPECT_EQ(1, expanded.K);
  EXPECT_EQ(1, expanded.adjacency[0][0]);
  EXPECT_EQ(1, expanded.codimension);
}

// A pair of the largest accepted genus carries up to kMaxGenus + 1 edges:
// two genus-0 components joined by 15 edges make genus 14.
TEST(CompactGraphs, HoldsTheLargestMultiplicity) {
  Graph graph(kMaxGenus, 0, 2);
  graph.adjacency[0][1] = graph.adjacency[1][0] = static_cast<int8_t>(kMaxGenus + 1);
  graph.codimension = static_cast<int8_t>(kMaxGenus + 1);
  CompactGraphs store(graph);
  store.Append(graph);
  Graph expanded(-1, -1, -1);
  store.Expand(0, expanded);
  EXPECT_EQ(15, expanded.adjacency[0][1]);
  EXPECT_EQ(15, expanded.adjacency[1][0]);
  EXPECT_TRUE(graph.SameDescription(expanded));
}
