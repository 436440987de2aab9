// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "graph/graph_class.h"

#include <gtest/gtest.h>
#include <string.h>

#include <algorithm>
#include <map>
#include <vector>

namespace {

/// A record with the pairs per multiplicity the generator counted for it.
struct Counted : Graph {
  Counted(int g, int K) : Graph(g, 0, K) {}
  int8_t multiplicity_count[kMultiplicitySlots];
};

/// A record with the given decorations and histogram; every other entry of
/// the arrays holds `filler`.
Counted record(int g, const std::vector<int>& genus, const std::vector<int>& marks, const std::vector<int>& loops,
             const std::vector<int>& histogram, int filler = 0) {
  int K = static_cast<int>(genus.size());
  Counted graph(g, K);
  memset(graph.genus, filler, sizeof(graph.genus));
  memset(graph.marked_points, filler, sizeof(graph.marked_points));
  memset(graph.loops, filler, sizeof(graph.loops));
  memset(graph.multiplicity_count, filler, sizeof(graph.multiplicity_count));
  for (int i = 0; i < K; ++i) {
    graph.genus[i] = static_cast<int8_t>(genus[i]);
    graph.marked_points[i] = static_cast<int8_t>(marks[i]);
    graph.loops[i] = static_cast<int8_t>(loops[i]);
  }
  EXPECT_LE(histogram.size(), sizeof(graph.multiplicity_count));
  size_t slots = std::min(histogram.size(), sizeof(graph.multiplicity_count));
  for (size_t m = 0; m < slots; ++m) graph.multiplicity_count[m] = static_cast<int8_t>(histogram[m]);
  return graph;
}

/// a < b and not b < a.
::testing::AssertionResult strictly_less(const Counted& a, const Counted& b) {
  GraphClass ka(a, a.multiplicity_count), kb(b, b.multiplicity_count);
  if (!(ka < kb)) return ::testing::AssertionFailure() << "first key is not less";
  if (kb < ka) return ::testing::AssertionFailure() << "second key is less too";
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult equivalent(const Counted& a, const Counted& b) {
  GraphClass ka(a, a.multiplicity_count), kb(b, b.multiplicity_count);
  if (ka < kb || kb < ka) return ::testing::AssertionFailure() << "keys are ordered";
  return ::testing::AssertionSuccess();
}

}  // namespace

TEST(GraphClassOrder, MoreComponentsComeFirst) {
  Counted three = record(2, {5, 5, 5}, {9, 9, 9}, {9, 9, 9}, {0, 9, 9, 9});
  Counted two = record(2, {0, 0}, {0, 0}, {0, 0}, {0, 0, 0, 0});
  EXPECT_TRUE(strictly_less(three, two));
}

TEST(GraphClassOrder, DecorationsInTurn) {
  const std::vector<int> h = {0, 2, 0};
  // Genus decides first, lexicographically.
  EXPECT_TRUE(strictly_less(record(1, {0, 0, 1}, {3, 3, 3}, {1, 1, 1}, h),
                            record(1, {0, 1, 1}, {0, 0, 0}, {0, 0, 0}, h)));
  // Then the marked points, whatever the loops.
  EXPECT_TRUE(strictly_less(record(1, {0, 0, 1}, {1, 2, 0}, {1, 1, 1}, h),
                            record(1, {0, 0, 1}, {2, 1, 0}, {0, 0, 0}, h)));
  // Then the loops, whatever the histogram.
  EXPECT_TRUE(strictly_less(record(1, {0, 0, 1}, {1, 2, 0}, {0, 0, 1}, {0, 2, 1}),
                            record(1, {0, 0, 1}, {1, 2, 0}, {0, 1, 0}, {0, 1, 0})));
}

TEST(GraphClassOrder, HistogramFirstDifferenceAtOne) {
  Counted one_pair = record(2, {0, 0, 0}, {1, 1, 1}, {0, 0, 0}, {0, 1, 1, 0});
  Counted two_pairs = record(2, {0, 0, 0}, {1, 1, 1}, {0, 0, 0}, {0, 2, 0, 0});
  EXPECT_TRUE(strictly_less(one_pair, two_pairs));
  // The last compared entry is g + 1.
  EXPECT_TRUE(strictly_less(record(2, {0, 0}, {1, 1}, {0, 0}, {0, 0, 0, 1}),
                            record(2, {0, 0}, {1, 1}, {0, 0}, {0, 0, 0, 2})));
}

TEST(GraphClassOrder, LeftoversBeyondThePrefixesDoNotCount) {
  Counted clean = record(1, {0, 1}, {1, 1}, {0, 0}, {0, 1, 0}, 0);
  Counted dirty = record(1, {0, 1}, {1, 1}, {0, 0}, {0, 1, 0}, 7);
  EXPECT_EQ(7, dirty.multiplicity_count[3]);
  EXPECT_TRUE(equivalent(clean, dirty));

  std::map<GraphClass, int> buckets;
  ++buckets[GraphClass(clean, clean.multiplicity_count)];
  ++buckets[GraphClass(dirty, dirty.multiplicity_count)];
  ASSERT_EQ(1u, buckets.size());
  EXPECT_EQ(2, buckets.begin()->second);
}

TEST(GraphClassOrder, NeitherTotalMarkedPointsNorSelfDecide) {
  Counted a = record(1, {0, 1}, {1, 1}, {0, 0}, {0, 1, 0});
  Counted b = a;
  b.n = 5;
  EXPECT_TRUE(equivalent(a, b));
  GraphClass key(a, a.multiplicity_count);
  EXPECT_FALSE(key < key);
  EXPECT_TRUE(equivalent(a, a));
}

TEST(GraphClassOrder, CountsTheHistogramOfAGraphItself) {
  // Pairs (0, 1) and (1, 2) with one edge, (0, 2) with three.
  Counted counted = record(2, {0, 0, 0}, {1, 1, 1}, {0, 0, 0}, {0, 2, 0, 1});
  Graph graph = counted;
  graph.adjacency[0][1] = graph.adjacency[1][0] = graph.adjacency[1][2] = graph.adjacency[2][1] = 1;
  graph.adjacency[0][2] = graph.adjacency[2][0] = 3;
  GraphClass counted_key(counted, counted.multiplicity_count), own(graph);
  EXPECT_FALSE(counted_key < own || own < counted_key);
  graph.adjacency[0][2] = graph.adjacency[2][0] = 2;
  EXPECT_TRUE(GraphClass(graph) < counted_key || counted_key < GraphClass(graph));
}
