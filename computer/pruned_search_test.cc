// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "computer/pruned_search.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "testing/every_adjacency.h"

namespace {

/// A search that fills the graph row by row as an edge task does, asking
/// the row test after every finished row but the last, and at the end
/// whether the complete graph repeats.
class RowWalk {
 public:
  RowWalk(PrunedSearch& search, const Graph& decoration, int most)
      : search_(search), most_(most), kept_(decoration) {}

  /// Walks every completion of rows from `row` on; `graph` comes back as
  /// it went in.
  void From(PartialGraph& graph, int row) {
    const int K = graph.K;
    if (row >= K - 1) {
      bool least = IsLeastByBruteForce(graph);
      bool repeat = search_.IsRepeat(graph, K - 2, kept_);
      EXPECT_EQ(!least, repeat);
      firsts += !repeat;
      return;
    }
    fill(graph, row, row + 1);
  }

  /// Graphs the search kept, and branches it cut.
  int firsts = 0;
  int cut = 0;

 private:
  void fill(PartialGraph& graph, int row, int column) {
    const int K = graph.K;
    if (column == K) {
      if (row + 1 < K - 1 && !search_.KeepsBranchAfterRows(graph, row + 1)) {
        ++cut;
        expect_no_least_completion(graph, row + 1);
        return;
      }
      From(graph, row + 1);
      return;
    }
    for (int x = 0; x <= most_; ++x) {
      graph.adjacency[row][column] = graph.adjacency[column][row] = static_cast<int8_t>(x);
      fill(graph, row, column + 1);
    }
    graph.adjacency[row][column] = graph.adjacency[column][row] = 0;
  }

  // A branch cut must hold no graph that is least: tried by brute force.
  void expect_no_least_completion(PartialGraph& graph, int rows) {
    for (const PartialGraph& each : EveryAdjacency(graph, most_)) {
      bool same_rows = true;
      for (int i = 0; i < rows && same_rows; ++i)
        for (int j = i + 1; j < graph.K && same_rows; ++j) same_rows = each.adjacency[i][j] == graph.adjacency[i][j];
      if (same_rows) {
        ASSERT_FALSE(IsLeastByBruteForce(each)) << "a cut after " << rows << " rows lost a class";
      }
    }
  }

  PrunedSearch& search_;
  int most_;
  CompactGraphs kept_;  // never read by the pruned search
};

int count_least(const Graph& decoration, int most) {
  int least = 0;
  for (const PartialGraph& graph : EveryAdjacency(decoration, most)) least += IsLeastByBruteForce(graph);
  return least;
}

// Row by row, the pruned search keeps exactly the graphs a brute force
// finds least, and every branch it cuts holds none of them.
TEST(PrunedSearch, CutsOnlyBranchesWithoutALeastGraph) {
  Graph one_block(6, 0, 5);
  Graph two_blocks(6, 0, 5);
  two_blocks.loops[3] = two_blocks.loops[4] = 1;
  for (const Graph& decoration : {one_block, two_blocks}) {
    PrunedSearch search;
    search.Begin(decoration);
    RowWalk walk(search, decoration, 1);
    PartialGraph graph(decoration);
    walk.From(graph, 0);
    EXPECT_EQ(count_least(decoration, 1), walk.firsts);
    EXPECT_GT(walk.cut, 0);
    search.End();
  }
}

// A search taken up after rows its splitter passed carries on as the
// splitter would; rows that fail the test are refused.
TEST(PrunedSearch, TakesUpOnlyRowsThatPass) {
  Graph decoration(5, 0, 4);
  int passed = 0, failed = 0;
  for (PartialGraph& graph : EveryAdjacency(decoration, 1)) {
    PrunedSearch whole;
    whole.Begin(decoration);
    bool passes = whole.KeepsBranchAfterRows(graph, 1);
    PrunedSearch part;
    part.Begin(decoration);
    if (passes) {
      ++passed;
      part.TakeUpAfterRows(graph, 1);
      bool whole_row = whole.KeepsBranchAfterRows(graph, 2);
      EXPECT_EQ(whole_row, part.KeepsBranchAfterRows(graph, 2));
      if (whole_row) {
        EXPECT_EQ(whole.IsRepeat(graph, 2, CompactGraphs(decoration)),
                  part.IsRepeat(graph, 2, CompactGraphs(decoration)));
      }
    } else {
      ++failed;
      EXPECT_THROW(part.TakeUpAfterRows(graph, 1), std::logic_error);
    }
  }
  EXPECT_GT(passed, 0);
  EXPECT_GT(failed, 0);
}

// A split asks only row tests; they answer as in a whole search.
TEST(PrunedSearch, RowTestsOfASplitAnswerAsInAWholeSearch) {
  Graph decoration(5, 0, 4);
  int cut = 0;
  for (const PartialGraph& graph : EveryAdjacency(decoration, 2)) {
    PrunedSearch whole, split;
    whole.Begin(decoration);
    split.BeginSplit(decoration);
    bool keeps = whole.KeepsBranchAfterRows(graph, 1);
    cut += !keeps;
    ASSERT_EQ(keeps, split.KeepsBranchAfterRows(graph, 1));
    EXPECT_EQ(whole.branches(), split.branches());
  }
  EXPECT_GT(cut, 0);
}

}  // namespace
