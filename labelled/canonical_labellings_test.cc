// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "labelled/canonical_labellings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "labelled/labelled_count.h"
#include "testing/labelled_test_support.h"

namespace {

std::vector<std::vector<int>> words(const Graph& graph) {
  std::vector<std::vector<int>> all;
  CanonicalLabellings(graph).ForEach(
      [&](const int8_t* word) { all.emplace_back(word, word + graph.n); });
  return all;
}

}  // namespace

TEST(CanonicalLabellings, TwoVerticesOfZeroFour) {
  // Label 1 stays at vertex 0; label 2, 3 or 4 joins it: the three
  // boundary divisors of M̄_{0,4}.
  EXPECT_EQ((std::vector<std::vector<int>>{{0, 0, 1, 1}, {0, 1, 0, 1}, {0, 1, 1, 0}}),
            words(MakeGraph({0, 0}, {2, 2}, {0, 0}, {1})));
}

TEST(CanonicalLabellings, NoPointsGiveOneEmptyWord) {
  EXPECT_EQ((std::vector<std::vector<int>>{{}}), words(MakeGraph({0, 0}, {0, 0}, {0, 0}, {3})));
}

TEST(CanonicalLabellings, AsymmetricGraphTakesEveryWord) {
  // 3! / (1! 2!) = 3 words, all canonical.
  EXPECT_EQ((std::vector<std::vector<int>>{{0, 1, 1}, {1, 0, 1}, {1, 1, 0}}),
            words(MakeGraph({0, 1}, {1, 2}, {0, 0}, {1})));
}

// The search yields exactly the least words of the orbits, in increasing
// order, and as many as Burnside's lemma counts.
TEST(CanonicalLabellings, MatchBruteForceOnWholeTypes) {
  for (auto [g, n] : std::vector<std::pair<int, int>>{{0, 7}, {0, 8}, {1, 4}, {1, 5}, {2, 3}, {3, 2}}) {
    for (const Graph& graph : AllGraphs(g, n)) {
      std::vector<std::vector<int>> found = words(graph);
      ASSERT_EQ(LabelledGraphCount(graph), found.size()) << Describe(graph);
      if (graph.K > 7) continue;
      ASSERT_EQ(BruteForceCanonicalWords(graph), found) << Describe(graph);
    }
  }
}

TEST(CanonicalLabellings, SymmetricStarNeedsTheSubgroups) {
  // Four leaves with two points around a bare centre: 8! / 2^4 / 4! = 105
  // labelled graphs (the ways to pair up eight labels).
  Graph star = MakeGraph({0, 0, 0, 0, 0}, {0, 2, 2, 2, 2}, {0, 0, 0, 0, 0}, {1, 1, 1, 1});
  std::vector<std::vector<int>> found = words(star);
  ASSERT_EQ(105u, found.size());
  EXPECT_EQ((std::vector<int>{1, 1, 2, 2, 3, 3, 4, 4}), found.front());
  EXPECT_EQ((std::vector<int>{1, 2, 3, 4, 4, 3, 2, 1}), found.back());
}

// IsCanonical accepts exactly the words ForEach produces: every word of
// every graph of several types, the star's 8! / 2^4 words among them.
TEST(CanonicalLabellings, IsCanonicalAcceptsExactlyTheLeastWords) {
  std::vector<Graph> graphs = AllGraphs(0, 6);
  for (const Graph& graph : AllGraphs(1, 4)) graphs.push_back(graph);
  for (const Graph& graph : AllGraphs(2, 3)) graphs.push_back(graph);
  graphs.push_back(MakeGraph({0, 0, 0, 0, 0}, {0, 2, 2, 2, 2}, {0, 0, 0, 0, 0}, {1, 1, 1, 1}));
  for (const Graph& graph : graphs) {
    std::vector<std::vector<int>> least = words(graph);
    std::vector<int8_t> word;
    for (int v = 0; v < graph.K; ++v) word.insert(word.end(), graph.marked_points[v], static_cast<int8_t>(v));
    CanonicalLabellings labellings(graph);
    size_t accepted = 0;
    do {
      std::vector<int> as_ints(word.begin(), word.end());
      bool canonical = labellings.IsCanonical(word.data());
      ASSERT_EQ(std::binary_search(least.begin(), least.end(), as_ints), canonical) << Describe(graph);
      accepted += canonical;
    } while (std::next_permutation(word.begin(), word.end()));
    EXPECT_EQ(least.size(), accepted) << Describe(graph);
  }
}
