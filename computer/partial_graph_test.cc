// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "computer/partial_graph.h"

#include <gtest/gtest.h>
#include <string.h>

#include <string>

namespace {

/// A working graph with every byte of its description and bookkeeping set
/// to junk, and a canonical form cached.
PartialGraph dirty_record() {
  PartialGraph graph(7, 9, 3);
  memset(graph.genus, 5, sizeof(graph.genus));
  memset(graph.marked_points, 6, sizeof(graph.marked_points));
  memset(graph.loops, 7, sizeof(graph.loops));
  memset(graph.valence, 8, sizeof(graph.valence));
  memset(graph.adjacency, 0, sizeof(graph.adjacency));
  memset(graph.multiplicity_count, 4, sizeof(graph.multiplicity_count));
  graph.canonical.Of(graph);
  memset(graph.adjacency, 9, sizeof(graph.adjacency));
  graph.partial_genus = graph.partial_marked_points = graph.joined_pairs = 11;
  graph.genus_zero_count = graph.valence_cap2_sum = graph.valence_cap3_sum = 12;
  graph.min_valence_cap2 = graph.codimension = 13;
  graph.distinct_mask = 0xF0F0u;
  return graph;
}

}  // namespace

TEST(PartialGraphClear, StartsTheGeneratorAndKeepsTheRest) {
  for (int K : {1, 5}) {
    SCOPED_TRACE("K = " + std::to_string(K));
    PartialGraph graph = dirty_record();
    ASSERT_NE(nullptr, graph.canonical.IfComputed());
    graph.Clear(static_cast<int8_t>(K));
    EXPECT_EQ(K, graph.K);
    EXPECT_EQ(1 - K, graph.partial_genus);
    EXPECT_EQ(2, graph.min_valence_cap2);
    EXPECT_EQ(1u, graph.distinct_mask);
    const int8_t zeros[] = {graph.partial_marked_points, graph.joined_pairs,     graph.genus_zero_count,
                            graph.valence_cap2_sum,      graph.valence_cap3_sum, graph.codimension};
    for (int8_t value : zeros) EXPECT_EQ(0, value);
    for (int v = 0; v < K; ++v)
      EXPECT_TRUE(graph.genus[v] == 0 && graph.marked_points[v] == 0 && graph.loops[v] == 0 &&
                  graph.valence[v] == 0)
          << "vertex " << v;
    // The whole matrix, also outside the first K rows and columns.
    for (int u = 0; u < kMaxComponents; ++u)
      for (int v = 0; v < kMaxComponents; ++v) ASSERT_EQ(0, graph.adjacency[u][v]) << u << ", " << v;
    // Totals, histogram and cache are left alone.
    EXPECT_EQ(7, graph.g);
    EXPECT_EQ(9, graph.n);
    for (int m = 0; m < kMultiplicitySlots; ++m) EXPECT_EQ(4, graph.multiplicity_count[m]);
    EXPECT_NE(nullptr, graph.canonical.IfComputed());
  }
}

TEST(PartialGraphCopy, CopiesTheBookkeepingAndTheCachedForm) {
  PartialGraph original = dirty_record();  // K = 3, g = 7: histogram entries 0 .. 8
  for (int v = 0; v < 3; ++v) original.valence[v] = static_cast<int8_t>(30 + v);
  for (int m = 0; m < 9; ++m) original.multiplicity_count[m] = static_cast<int8_t>(m);
  int8_t* scalars[] = {&original.partial_genus,    &original.partial_marked_points, &original.joined_pairs,
                       &original.genus_zero_count, &original.valence_cap2_sum,      &original.valence_cap3_sum,
                       &original.min_valence_cap2, &original.codimension};
  for (int i = 0; i < 8; ++i) *scalars[i] = static_cast<int8_t>(i - 1);

  PartialGraph copy(original);
  const int8_t copied[] = {copy.partial_genus,    copy.partial_marked_points, copy.joined_pairs,
                           copy.genus_zero_count, copy.valence_cap2_sum,      copy.valence_cap3_sum,
                           copy.min_valence_cap2, copy.codimension};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(i - 1, copied[i]) << "scalar " << i;
  EXPECT_EQ(0, memcmp(original.valence, copy.valence, 3));
  EXPECT_EQ(0, memcmp(original.multiplicity_count, copy.multiplicity_count, 9));
  EXPECT_EQ(0xF0F0u, copy.distinct_mask);
  ASSERT_NE(nullptr, copy.canonical.IfComputed());
  EXPECT_TRUE(copy.canonical.IfComputed()->SameGraph(*original.canonical.IfComputed()));
}

TEST(PartialGraphCopy, StartsFromADescription) {
  Graph description(2, 4, 2);
  description.marked_points[0] = description.marked_points[1] = 2;
  description.adjacency[0][1] = description.adjacency[1][0] = 2;
  PartialGraph working(description);
  EXPECT_TRUE(working.SameDescription(description));
  EXPECT_EQ(nullptr, working.canonical.IfComputed());
  EXPECT_EQ(0, working.partial_genus);
  EXPECT_EQ(0u, working.distinct_mask);
}
