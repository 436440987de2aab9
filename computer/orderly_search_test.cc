// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "computer/orderly_search.h"

#include <gtest/gtest.h>

#include "testing/every_adjacency.h"

namespace {

// Orderly needs no order of meeting: each graph alone is a repeat exactly
// when a relabelling is smaller, so the graphs are asked about backwards.
TEST(OrderlySearch, RepeatsAreTheGraphsWithASmallerRelabelling) {
  Graph decoration(6, 0, 4);
  decoration.marked_points[3] = 1;  // blocks {0, 1, 2} and {3}
  std::vector<PartialGraph> graphs = EveryAdjacency(decoration, 2);
  OrderlySearch search;
  search.Begin(decoration);
  CompactGraphs kept(decoration);
  int firsts = 0;
  for (auto graph = graphs.rbegin(); graph != graphs.rend(); ++graph) {
    bool least = IsLeastByBruteForce(*graph);
    firsts += least;
    ASSERT_EQ(!least, search.IsRepeat(*graph, 0, kept));
  }
  EXPECT_GT(firsts, 1);
  EXPECT_LT(static_cast<size_t>(firsts), graphs.size());
  EXPECT_GT(search.branches(), 0);
  search.End();
  EXPECT_EQ(0, search.branches());
}

TEST(OrderlySearch, NeverCutsABranch) {
  Graph decoration(4, 0, 3);
  OrderlySearch search;
  search.Begin(decoration);
  for (const PartialGraph& graph : EveryAdjacency(decoration, 1)) EXPECT_TRUE(search.KeepsBranchAfterRows(graph, 1));
}

}  // namespace
