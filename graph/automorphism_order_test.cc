// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "graph/automorphism_order.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <stdexcept>
#include <vector>

#include "testing/test_support.h"

namespace {

mpz_class factorial(int n) {
  mpz_class result;
  mpz_fac_ui(result.get_mpz_t(), static_cast<unsigned long>(n));
  return result;
}

/// |A| by trying every permutation of the vertices.
long brute_force_symmetries(const Graph& graph) {
  std::vector<int> image(graph.K);
  std::iota(image.begin(), image.end(), 0);
  long count = 0;
  do {
    bool keeps = true;
    for (int v = 0; v < graph.K && keeps; ++v) {
      int w = image[v];
      keeps = graph.genus[v] == graph.genus[w] && graph.marked_points[v] == graph.marked_points[w] &&
              graph.loops[v] == graph.loops[w];
      for (int u = 0; u < graph.K && keeps; ++u) keeps = graph.adjacency[u][v] == graph.adjacency[image[u]][w];
    }
    if (keeps) ++count;
  } while (std::next_permutation(image.begin(), image.end()));
  return count;
}

}  // namespace

TEST(AutomorphismOrder, TheTwoGraphsOfZeroFour) {
  EXPECT_EQ(24, AutomorphismOrder(MakeGraph({0}, {4}, {0})));
  // Swapping the vertices, and the two points of each: 2 * (2! * 2!).
  EXPECT_EQ(2, VertexSymmetryOrder(MakeGraph({0, 0}, {2, 2}, {0, 0}, {1})));
  EXPECT_EQ(8, AutomorphismOrder(MakeGraph({0, 0}, {2, 2}, {0, 0}, {1})));
}

TEST(AutomorphismOrder, HandCheckedGraphs) {
  struct Case {
    const char* what;
    Graph graph;
    long symmetries;
    long order;
  };
  const Case cases[] = {
      // Two loops: swap them (2!) and flip each (2^2).
      {"one vertex with two loops", MakeGraph({0}, {0}, {2}), 1, 8},
      {"a loop and three points", MakeGraph({0}, {3}, {1}), 1, 2 * 6},
      // Swap the vertices, permute the three edges.
      {"two vertices joined by three edges", MakeGraph({0, 0}, {0, 0}, {0, 0}, {3}), 2, 2 * 6},
      {"a double edge between different vertices", MakeGraph({1, 0}, {0, 2}, {0, 0}, {2}), 1, 2 * 2},
      // A triangle of equal vertices: all of S_3.
      {"triangle of one-pointed vertices", MakeGraph({0, 0, 0}, {1, 1, 1}, {0, 0, 0}, {1, 1, 1}), 6, 6},
      // A square: the dihedral group of order 8.
      {"square of one-pointed vertices", MakeGraph({0, 0, 0, 0}, {1, 1, 1, 1}, {0, 0, 0, 0}, {1, 0, 1, 1, 0, 1}),
       8, 8},
      // A hexagon: no twins, refinement sees all vertices alike, nauty finds
      // the dihedral group of order 12.
      {"hexagon of one-pointed vertices",
       MakeGraph(std::vector<int>(6, 0), std::vector<int>(6, 1), std::vector<int>(6, 0),
                 {1, 0, 0, 0, 1, 1, 0, 0, 0, 1, 0, 0, 1, 0, 1}),
       12, 12},
      // A centre with three genus-1 leaves: S_3 on the leaves.
      {"star of three leaves", MakeGraph({0, 1, 1, 1}, {0, 0, 0, 0}, {0, 0, 0, 0}, {1, 1, 1}), 6, 6},
      // Leaves that differ by their loop are not interchangeable.
      {"leaves told apart by a loop", MakeGraph({0, 1, 0, 1}, {0, 0, 1, 0}, {0, 0, 1, 0}, {1, 1, 1}), 2, 2 * 2},
      // A chain u = v = w with double edges, ends alike: reversal only.
      {"chain of double edges", MakeGraph({1, 0, 1}, {0, 0, 0}, {0, 0, 0}, {2, 0, 2}), 2, 2 * 2 * 2},
      // Two vertices, one loop each, joined by one edge: swap, flip loops.
      {"dumbbell", MakeGraph({0, 0}, {1, 1}, {1, 1}, {1}), 2, 2 * 2 * 2},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.symmetries, VertexSymmetryOrder(c.graph)) << c.what;
    EXPECT_EQ(c.symmetries, brute_force_symmetries(c.graph)) << c.what;
    EXPECT_EQ(c.order, AutomorphismOrder(c.graph)) << c.what;
  }
}

TEST(AutomorphismOrder, DoesNotDependOnTheVertexOrder) {
  // The star of three leaves with the centre last: the vertices are then not
  // sorted as the enumerator sorts them.
  EXPECT_EQ(6, VertexSymmetryOrder(MakeGraph({1, 1, 1, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 1, 0, 1, 1})));
  // The chain with its middle vertex first.
  EXPECT_EQ(2, VertexSymmetryOrder(MakeGraph({0, 1, 1}, {0, 0, 0}, {0, 0, 0}, {2, 2, 0})));
}

TEST(AutomorphismOrder, ExactBeyondSixtyFourBits) {
  // The one-vertex graph of (0, 33): 33!, about 8.7e36.
  EXPECT_EQ(factorial(33), AutomorphismOrder(MakeGraph({0}, {33}, {0})));
  // A centre with 24 alike leaves: |A| = 24!, beyond 2^53 where a double
  // stops counting exactly; each leaf adds 2! for its two points.
  std::vector<int> genus(25, 0), marks(25, 2), loops(25, 0), pairs(24, 1);
  marks[0] = 0;
  Graph star = MakeGraph(genus, marks, loops, pairs);
  EXPECT_EQ(factorial(24), VertexSymmetryOrder(star));
  mpz_class expected = factorial(24) << 24;
  EXPECT_EQ(expected, AutomorphismOrder(star));
}

TEST(AutomorphismOrder, RefusesGraphsBeyondNauty) {
  // 17 vertices in a row joined by double edges: 17 + 16 coloured vertices.
  std::vector<int> genus(17, 0), marks(17, 1), loops(17, 0), pairs;
  for (int i = 0; i < 17; ++i)
    for (int k = i + 1; k < 17; ++k) pairs.push_back(k == i + 1 ? 2 : 0);
  marks[0] = marks[16] = 2;
  EXPECT_THROW(VertexSymmetryOrder(MakeGraph(genus, marks, loops, pairs)), std::length_error);
}

TEST(AutomorphismOrder, AgreesWithEveryPermutationOnWholeTypes) {
  for (auto type : {std::make_pair(2, 2), std::make_pair(3, 0), std::make_pair(1, 4), std::make_pair(0, 8),
                    std::make_pair(4, 0), std::make_pair(2, 3)}) {
    std::vector<Graph> graphs = AllGraphs(type.first, type.second);
    ASSERT_FALSE(graphs.empty());
    long symmetric = 0;
    for (const Graph& graph : graphs) {
      long expected = brute_force_symmetries(graph);
      ASSERT_EQ(expected, VertexSymmetryOrder(graph)) << "a graph of (" << type.first << ", " << type.second << ")";
      if (expected > 1) ++symmetric;
    }
    EXPECT_GT(symmetric, 0) << "the type has graphs with vertex symmetries";
  }
}
