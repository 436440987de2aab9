// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "computer/search_strategy.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "testing/every_adjacency.h"

namespace {

const SearchKind kKinds[] = {SearchKind::kStored, SearchKind::kOrderly, SearchKind::kPruned};

/// K vertices of genus 0 without points or loops: one block.
Graph one_block(int K) { return Graph(K + 1, 0, K); }

TEST(SearchStrategy, MakesTheStrategyOfEachKind) {
  for (SearchKind kind : kKinds) EXPECT_EQ(kind, SearchStrategy::Make(kind)->kind());
}

TEST(SearchStrategy, OnlyTheStoredSearchRemembersAndOnlyThePrunedOneCuts) {
  EXPECT_FALSE(SearchStrategy::Make(SearchKind::kStored)->MaySplit());
  EXPECT_TRUE(SearchStrategy::Make(SearchKind::kOrderly)->MaySplit());
  EXPECT_TRUE(SearchStrategy::Make(SearchKind::kPruned)->MaySplit());
  EXPECT_FALSE(SearchStrategy::Make(SearchKind::kStored)->PrunesAfterRows());
  EXPECT_FALSE(SearchStrategy::Make(SearchKind::kOrderly)->PrunesAfterRows());
  EXPECT_TRUE(SearchStrategy::Make(SearchKind::kPruned)->PrunesAfterRows());
}

// Met in the search's order, every graph is a repeat for one kind exactly
// when it is for the others, and exactly when a brute force finds a
// smaller relabelling.
TEST(SearchStrategy, EveryKindFindsTheSameRepeatsAsABruteForce) {
  Graph two_blocks(5, 0, 4);
  two_blocks.genus[2] = two_blocks.genus[3] = 1;
  for (const auto& [decoration, most] : {std::pair{one_block(4), 2}, std::pair{two_blocks, 2},
                                         std::pair{one_block(5), 1}}) {
    std::vector<std::unique_ptr<SearchStrategy>> strategies;
    std::vector<CompactGraphs> kept;
    for (SearchKind kind : kKinds) {
      strategies.push_back(SearchStrategy::Make(kind));
      strategies.back()->Begin(decoration);
      kept.emplace_back(decoration);
    }
    int firsts = 0;
    for (PartialGraph& graph : EveryAdjacency(decoration, most)) {
      bool least = IsLeastByBruteForce(graph);
      firsts += least;
      for (size_t s = 0; s < strategies.size(); ++s) {
        graph.canonical.Invalidate();
        bool repeat = strategies[s]->IsRepeat(graph, 0, kept[s]);
        ASSERT_EQ(!least, repeat) << "kind " << s << " at graph " << firsts;
        if (!repeat) {
          strategies[s]->Kept(graph, kept[s].size());
          kept[s].Append(graph);
        }
      }
    }
    EXPECT_GT(firsts, 1);
    for (const CompactGraphs& each : kept) EXPECT_EQ(static_cast<size_t>(firsts), each.size());
    for (auto& strategy : strategies) strategy->End();
  }
}

}  // namespace
