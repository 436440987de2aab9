// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
//
// What every kind of search writes, held against an independent brute
// force: of each isomorphism class the least of its relabellings in the
// tool's order, once, and all of them in that order.  An edit of the
// search's rules or bounds that cuts the least relabelling of some class
// fails here for every kind: stored and orderly lose the class or write
// another of its forms, pruned loses it (graph/lex_least.h lists such
// edits).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "computer/boundary_computer.h"
#include "graph/graph_printer.h"
#include "graph/tool_order.h"
#include "testing/brute_force_graphs.h"
#include "testing/test_support.h"

namespace {

std::vector<Graph> run(int g, int n, SearchKind kind, int split_rows) {
  SearchSettings settings;
  settings.threads = 1;
  settings.search = kind;
  settings.split_rows = split_rows;
  BoundaryComputer computer(g, n, settings);
  CollectingPrinter printer;
  computer.Compute(printer, StatisticsNone);
  return printer.seen;
}

/// `graph` with the vertex at each position p taken from vertex order[p].
Graph relabelled(const Graph& graph, const std::vector<int>& order) {
  Graph out = graph;
  for (int p = 0; p < graph.K; ++p) {
    out.genus[p] = graph.genus[order[p]];
    out.marked_points[p] = graph.marked_points[order[p]];
    out.loops[p] = graph.loops[order[p]];
    for (int q = 0; q < graph.K; ++q) out.adjacency[p][q] = graph.adjacency[order[p]][order[q]];
  }
  return out;
}

/// The least in the tool's order of the relabellings of `graph` that keep
/// its vertices sorted by decoration, found by trying every one of them.
Graph least_relabelling(const Graph& graph) {
  std::vector<int> order(graph.K);
  for (int v = 0; v < graph.K; ++v) order[v] = v;
  std::stable_sort(order.begin(), order.end(),
            [&](int a, int b) { return CompareDecorations(graph, a, graph, b) < 0; });
  std::vector<std::pair<int, int>> blocks;
  for (int start = 0, end; start < graph.K; start = end) {
    for (end = start + 1; end < graph.K && CompareDecorations(graph, order[start], graph, order[end]) == 0;) ++end;
    blocks.emplace_back(start, end);
  }
  Graph least = relabelled(graph, order);
  // An odometer over the blocks: each block runs through its permutations.
  for (size_t b = 0; b < blocks.size();) {
    if (!std::next_permutation(order.begin() + blocks[b].first, order.begin() + blocks[b].second)) {
      ++b;
      continue;
    }
    b = 0;
    Graph candidate = relabelled(graph, order);
    if (CompareInToolOrder(candidate, least) < 0) least = candidate;
  }
  return least;
}

/// What the tool must write for type (g, n), found without its search.
std::vector<Graph> brute_force_listing(int g, int n) {
  std::vector<Graph> listing;
  for (const BruteForceGraph& found : BruteForceStableGraphs(g, n)) listing.push_back(least_relabelling(found.graph));
  std::sort(listing.begin(), listing.end(),
            [](const Graph& a, const Graph& b) { return CompareInToolOrder(a, b) < 0; });
  return listing;
}

void expect_listing(const std::vector<Graph>& want, const std::vector<Graph>& got) {
  ASSERT_EQ(want.size(), got.size());
  for (size_t k = 0; k < want.size(); ++k)
    ASSERT_EQ(0, CompareInToolOrder(want[k], got[k])) << "graph " << k << " of " << want.size();
}

}  // namespace

TEST(SearchOrder, EveryKindWritesTheLeastFormOfEveryClassInTheToolsOrder) {
  int graphs = 0;
  for (auto [g, n] : StableTypesUpTo(9)) {
    std::vector<Graph> want = brute_force_listing(g, n);
    graphs += static_cast<int>(want.size());
    for (SearchKind kind : {SearchKind::kStored, SearchKind::kOrderly, SearchKind::kPruned}) {
      SCOPED_TRACE("(" + std::to_string(g) + ", " + std::to_string(n) + ") kind " +
                   std::to_string(static_cast<int>(kind)));
      expect_listing(want, run(g, n, kind, 0));
      if (kind != SearchKind::kStored) expect_listing(want, run(g, n, kind, 2));
    }
  }
  EXPECT_GT(graphs, 2000);  // the comparison covers many classes
}

// Beyond the brute force's reach: the listings still ascend strictly, in
// sections of K and codimension, with vertices sorted by decoration.
TEST(SearchOrder, LargerListingsAscendInTheToolsOrder) {
  for (auto [g, n] : std::vector<std::pair<int, int>>{{5, 0}, {3, 4}, {2, 6}, {0, 11}}) {
    SCOPED_TRACE("(" + std::to_string(g) + ", " + std::to_string(n) + ")");
    std::vector<Graph> listing = run(g, n, SearchKind::kPruned, 1);
    ASSERT_FALSE(listing.empty());
    for (size_t k = 0; k < listing.size(); ++k) {
      ASSERT_TRUE(SortedByDecoration(listing[k])) << "graph " << k;
      if (k > 0) {
        ASSERT_LT(CompareInToolOrder(listing[k - 1], listing[k]), 0) << "graph " << k;
      }
    }
  }
}
