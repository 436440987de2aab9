// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "poset/odd_edge_symmetry.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "testing/labelled_test_support.h"
#include "testing/test_support.h"

namespace {

/// The answer by trying every vertex automorphism on the list of edges.
bool odd_by_brute_force(const Graph& graph, bool fix_point_vertices) {
  std::vector<std::pair<int, int>> edges;
  for (int u = 0; u < graph.K; ++u) {
    for (int v = u; v < graph.K; ++v) {
      if (graph.adjacency[u][v] >= 2) return true;  // swap two of them
      if (graph.adjacency[u][v] == 1) edges.emplace_back(u, v);
    }
  }
  for (const std::vector<int>& permutation : BruteForceAutomorphisms(graph)) {
    bool moves_points = false;
    for (int v = 0; v < graph.K; ++v) moves_points = moves_points || (graph.marked_points[v] > 0 && permutation[v] != v);
    if (fix_point_vertices && moves_points) continue;
    // The sign as the parity of the inversions of the edge permutation.
    std::vector<size_t> image;
    for (const auto& edge : edges) {
      int a = permutation[edge.first], b = permutation[edge.second];
      std::pair<int, int> moved(std::min(a, b), std::max(a, b));
      for (size_t f = 0; f < edges.size(); ++f)
        if (edges[f] == moved) image.push_back(f);
    }
    int inversions = 0;
    for (size_t i = 0; i < image.size(); ++i)
      for (size_t j = i + 1; j < image.size(); ++j) inversions += image[i] > image[j];
    if (inversions % 2 == 1) return true;
  }
  return false;
}

TEST(OddEdgeSymmetry, AgreesWithEveryAutomorphismUpToEight) {
  int odd[2] = {0, 0}, even[2] = {0, 0};
  for (int g = 0; g <= 4; ++g) {
    for (int n = 0; 2 * g + n <= 8; ++n) {
      if (2 * g - 3 + n < 0) continue;
      for (const Graph& graph : AllGraphs(g, n)) {
        for (bool fix : {false, true}) {
          bool expected = odd_by_brute_force(graph, fix);
          ASSERT_EQ(expected, HasOddEdgeSymmetry(graph, fix)) << Describe(graph) << (fix ? " fixing points" : "");
          ++(expected ? odd : even)[fix];
        }
      }
    }
  }
  // Both answers occur often, with and without the points fixed.
  for (int fix = 0; fix < 2; ++fix) {
    EXPECT_GT(odd[fix], 100);
    EXPECT_GT(even[fix], 100);
  }
}

TEST(OddEdgeSymmetry, Examples) {
  // Two genus-1 vertices on a bridge: the swap fixes the one edge.
  EXPECT_FALSE(HasOddEdgeSymmetry(MakeGraph({1, 1}, {0, 0}, {0, 0}, {1}), false));
  // Two vertices with a loop each, on a bridge: the swap exchanges the loops.
  EXPECT_TRUE(HasOddEdgeSymmetry(MakeGraph({0, 0}, {0, 0}, {1, 1}, {1}), false));
  // A triangle of genus-1 vertices: a reflection is a transposition of edges.
  EXPECT_TRUE(HasOddEdgeSymmetry(MakeGraph({1, 1, 1}, {0, 0, 0}, {0, 0, 0}, {1, 1, 1}), false));
  // The same with a point on each: nothing moves once they are labelled.
  Graph marked = MakeGraph({1, 1, 1}, {1, 1, 1}, {0, 0, 0}, {1, 1, 1});
  EXPECT_TRUE(HasOddEdgeSymmetry(marked, false));
  EXPECT_FALSE(HasOddEdgeSymmetry(marked, true));
  // Parallel edges are swapped whatever the labels.
  EXPECT_TRUE(HasOddEdgeSymmetry(MakeGraph({0, 1}, {2, 0}, {0, 0}, {2}), true));
}

}  // namespace
