// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "computer/stored_search.h"

#include <gtest/gtest.h>

#include <vector>

#include "testing/every_adjacency.h"

namespace {

/// Asks `search` about each graph in turn and keeps those it does not
/// call repeats; each answer is held against a brute force over the graphs
/// kept before.
void expect_repeats_of_earlier_graphs(StoredSearch& search, const Graph& decoration,
                                      const std::vector<PartialGraph>& graphs) {
  CompactGraphs kept(decoration);
  std::vector<PartialGraph> earlier;
  for (PartialGraph graph : graphs) {
    bool seen = false;
    for (const PartialGraph& before : earlier) seen = seen || SameClassByBruteForce(before, graph);
    graph.canonical.Invalidate();
    ASSERT_EQ(seen, search.IsRepeat(graph, 0, kept)) << "after " << earlier.size() << " graphs kept";
    if (!seen) {
      search.Kept(graph, kept.size());
      kept.Append(graph);
      earlier.push_back(graph);
    }
  }
  EXPECT_GT(earlier.size(), 1u);
  EXPECT_LT(earlier.size(), graphs.size());
}

// Backwards, the first graph of a class met is its largest relabelling:
// the stored search finds repeats by form, whatever the order.
TEST(StoredSearch, RepeatsAreTheGraphsOfAClassMetBefore) {
  Graph decoration(6, 0, 4);
  decoration.genus[3] = 1;
  std::vector<PartialGraph> graphs = EveryAdjacency(decoration, 2);
  StoredSearch search;
  search.Begin(decoration);
  expect_repeats_of_earlier_graphs(search, decoration, graphs);
  std::vector<PartialGraph> backwards(graphs.rbegin(), graphs.rend());
  StoredSearch another;
  another.Begin(decoration);
  expect_repeats_of_earlier_graphs(another, decoration, backwards);
}

TEST(StoredSearch, EndForgetsTheGraphsMet) {
  Graph decoration(4, 0, 3);
  std::vector<PartialGraph> graphs = EveryAdjacency(decoration, 1);
  StoredSearch search;
  CompactGraphs kept(decoration);
  search.Begin(decoration);
  ASSERT_FALSE(search.IsRepeat(graphs[1], 0, kept));
  search.Kept(graphs[1], kept.size());
  kept.Append(graphs[1]);
  EXPECT_TRUE(search.IsRepeat(graphs[1], 0, kept));
  search.End();
  search.Begin(decoration);
  CompactGraphs none(decoration);
  EXPECT_FALSE(search.IsRepeat(graphs[1], 0, none));
}

}  // namespace
