// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "graph/vertex_symmetry.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "testing/labelled_test_support.h"

namespace {

uint64_t point_vertices(const Graph& graph) {
  uint64_t mask = 0;
  for (int v = 0; v < graph.K; ++v)
    if (graph.marked_points[v] > 0) mask |= uint64_t{1} << v;
  return mask;
}

/// The automorphisms of `group` that fix every vertex in `fixed`.
std::vector<std::vector<int>> fixing(const std::vector<std::vector<int>>& group, uint64_t fixed) {
  std::vector<std::vector<int>> kept;
  for (const auto& permutation : group) {
    bool keeps = true;
    for (size_t v = 0; v < permutation.size(); ++v)
      if ((fixed >> v & 1) && permutation[v] != static_cast<int>(v)) keeps = false;
    if (keeps) kept.push_back(permutation);
  }
  return kept;
}

}  // namespace

TEST(VertexSymmetry, HandCheckedGroups) {
  // (0, 4): two vertices with two points each, swapped.
  VertexSymmetry two(MakeGraph({0, 0}, {2, 2}, {0, 0}, {1}));
  EXPECT_EQ(2, two.Order(0));
  EXPECT_EQ(1, two.Order(1));
  two.Fix(0);
  EXPECT_EQ(0, two.orbit(1));
  EXPECT_EQ(2, two.orbit_size(0));
  EXPECT_FALSE(two.fixes_every_vertex());
  two.Fix(2);
  EXPECT_EQ(1, two.orbit(1));
  EXPECT_TRUE(two.fixes_every_vertex());
  // Genus 2: two genus-0 vertices joined by three edges; the triple edge
  // becomes one extra vertex, so the swap is the only symmetry.
  EXPECT_EQ(2, VertexSymmetry(MakeGraph({0, 0}, {0, 0}, {0, 0}, {3})).Order(0));
  // A loop on one end breaks the symmetry of a path.
  EXPECT_EQ(1, VertexSymmetry(MakeGraph({0, 0, 0}, {1, 1, 2}, {1, 0, 1}, {1, 1, 0})).Order(0));
  // A star: four leaves with two points around a bare centre, any order.
  VertexSymmetry star(MakeGraph({0, 0, 0, 0, 0}, {0, 2, 2, 2, 2}, {0, 0, 0, 0, 0}, {1, 1, 1, 1}));
  EXPECT_EQ(24, star.Order(0));
  EXPECT_EQ(6, star.Order(2));
  EXPECT_EQ(1, star.Order(2 | 4 | 8));
  // Parallel edges of different multiplicity tell the leaves apart.
  EXPECT_EQ(2, VertexSymmetry(MakeGraph({0, 0, 0, 0}, {0, 1, 1, 1}, {0, 0, 0, 0}, {2, 2, 3})).Order(0));
}

// nauty rounds orders past 10^10; the chain of stabilisers keeps them exact.
TEST(VertexSymmetry, LargeOrdersAreExact) {
  std::vector<int> genus(17, 0), marks(17, 2), loops(17, 0), pairs(16, 1);
  marks[0] = 0;
  VertexSymmetry star(MakeGraph(genus, marks, loops, pairs));
  mpz_class factorial;
  mpz_fac_ui(factorial.get_mpz_t(), 16);
  EXPECT_EQ(factorial, star.Order(0));  // 20922789888000
  EXPECT_EQ(factorial / 16, star.Order(2));
}

// The vertices need not be sorted by decoration, as in a stream.
TEST(VertexSymmetry, VertexOrderDoesNotMatter) {
  Graph sorted = MakeGraph({0, 0, 0, 1}, {2, 2, 0, 0}, {0, 0, 0, 0}, {0, 1, 0, 1, 0, 1});
  Graph shuffled = MakeGraph({1, 0, 0, 0}, {0, 2, 0, 2}, {0, 0, 0, 0}, {0, 1, 0, 1, 0, 1});
  VertexSymmetry a(sorted), b(shuffled);
  EXPECT_EQ(2, a.Order(0));
  EXPECT_EQ(2, b.Order(0));
  b.Fix(0);
  EXPECT_EQ(1, b.orbit(3));
  EXPECT_EQ(0, b.orbit(0));
  EXPECT_EQ(2, b.orbit(2));
}

TEST(VertexSymmetry, AgreesWithBruteForceOnWholeTypes) {
  for (auto [g, n] : std::vector<std::pair<int, int>>{{0, 8}, {1, 5}, {2, 3}, {3, 1}, {4, 0}, {2, 4}}) {
    for (const Graph& graph : AllGraphs(g, n)) {
      if (graph.K > 7) continue;
      std::vector<std::vector<int>> group = BruteForceAutomorphisms(graph);
      VertexSymmetry symmetry(graph);
      uint64_t points = point_vertices(graph);
      ASSERT_EQ(group.size(), symmetry.Order(0)) << Describe(graph);
      ASSERT_EQ(fixing(group, points).size(), symmetry.Order(points)) << Describe(graph);
      for (uint64_t fixed : {uint64_t{0}, uint64_t{1}, points}) {
        symmetry.Fix(fixed);
        std::vector<std::vector<int>> subgroup = fixing(group, fixed);
        for (int v = 0; v < graph.K; ++v) {
          std::set<int> orbit;
          for (const auto& permutation : subgroup) orbit.insert(permutation[v]);
          ASSERT_EQ(*orbit.begin(), symmetry.orbit(v)) << Describe(graph) << " vertex " << v;
          ASSERT_EQ(static_cast<int>(orbit.size()), symmetry.orbit_size(v)) << Describe(graph);
        }
      }
    }
  }
}
