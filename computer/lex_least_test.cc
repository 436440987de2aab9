// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "computer/lex_least.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace {

/// A graph of K vertices whose decorations fall into the given blocks
/// (consecutive vertices of one block share genus, points and loops).
Graph with_blocks(const std::vector<int>& block_sizes) {
  int K = 0;
  for (int size : block_sizes) K += size;
  Graph graph(3, 0, K);
  graph.Clear(static_cast<int8_t>(K));
  int v = 0;
  for (size_t b = 0; b < block_sizes.size(); ++b)
    for (int i = 0; i < block_sizes[b]; ++i, ++v) {
      // Neighbouring blocks differ in one attribute or another.
      graph.genus[v] = static_cast<int8_t>(b / 4);
      graph.marked_points[v] = static_cast<int8_t>((b / 2) % 2);
      graph.loops[v] = graph.adjacency[v][v] = static_cast<int8_t>(b % 2);
    }
  return graph;
}

void set_edge(Graph& graph, int a, int b, int multiplicity) {
  graph.adjacency[a][b] = graph.adjacency[b][a] = static_cast<int8_t>(multiplicity);
}

/// The upper triangle of rows 0 .. rows - 1 after relabelling: the vertex
/// at position p is perm[p].
std::vector<int> upper_rows(const Graph& graph, const std::vector<int>& perm, int rows) {
  std::vector<int> entries;
  for (int r = 0; r < rows; ++r)
    for (int s = r + 1; s < graph.K; ++s) entries.push_back(graph.adjacency[perm[r]][perm[s]]);
  return entries;
}

/// Calls visit on every permutation within the blocks of `graph`.
template <typename Visit>
void for_each_block_permutation(const Graph& graph, Visit visit) {
  std::vector<int> starts;
  for (int p = 0; p < graph.K; ++p)
    if (p == 0 || graph.genus[p] != graph.genus[p - 1] || graph.marked_points[p] != graph.marked_points[p - 1] ||
        graph.loops[p] != graph.loops[p - 1])
      starts.push_back(p);
  starts.push_back(graph.K);
  std::vector<int> perm(graph.K);
  for (int p = 0; p < graph.K; ++p) perm[p] = p;
  // An odometer over the blocks: each block runs through its permutations.
  while (true) {
    visit(perm);
    size_t b = 0;
    for (; b + 1 < starts.size(); ++b)
      if (std::next_permutation(perm.begin() + starts[b], perm.begin() + starts[b + 1])) break;
    if (b + 1 == starts.size()) return;
  }
}

/// Whether some relabelling within the blocks is smaller in its first row
/// that differs, r < rows, with vertices 0 .. rows - 1 at positions 0 .. r:
/// rows 0 .. r of such a relabelling depend on rows 0 .. rows - 1 alone.
bool brute_force_smaller(const Graph& graph, int rows) {
  bool smaller = false;
  for_each_block_permutation(graph, [&](const std::vector<int>& perm) {
    for (int r = 0; r < rows && r + 1 < graph.K; ++r) {
      if (perm[r] >= rows) return;
      for (int s = r + 1; s < graph.K; ++s) {
        int moved = graph.adjacency[perm[r]][perm[s]], own = graph.adjacency[r][s];
        if (moved != own) {
          if (moved < own) smaller = true;
          return;
        }
      }
    }
  });
  return smaller;
}

/// A random block structure of K vertices and random multiplicities.
Graph random_graph(std::mt19937& random, int K, int largest_multiplicity) {
  std::vector<int> blocks;
  for (int left = K; left > 0;) {
    int size = std::uniform_int_distribution<int>(1, left)(random);
    blocks.push_back(size);
    left -= size;
  }
  Graph graph = with_blocks(blocks);
  std::uniform_int_distribution<int> multiplicity(0, largest_multiplicity);
  for (int a = 0; a < K; ++a)
    for (int b = a + 1; b < K; ++b) set_edge(graph, a, b, multiplicity(random));
  return graph;
}

}  // namespace

TEST(LexLeastTest, PathOfThreeIsLeastWithItsMiddleLast) {
  // Upper triangles (a01, a02, a12): middle 0 gives (1, 1, 0), middle 1
  // gives (1, 0, 1), middle 2 gives (0, 1, 1), the least.
  for (int middle = 0; middle < 3; ++middle) {
    Graph path = with_blocks({3});
    for (int end = 0; end < 3; ++end)
      if (end != middle) set_edge(path, middle, end, 1);
    LexLeastTest test(path);
    EXPECT_EQ(middle == 2, test.IsLeast(path)) << "middle " << middle;
  }
}

TEST(LexLeastTest, RelabelsWithinBlocksOnly) {
  // Vertex 0 alone in its block: the path with middle 0 cannot move its
  // middle, and with vertices 1 and 2 equal it is least.
  Graph path = with_blocks({1, 2});
  set_edge(path, 0, 1, 1);
  set_edge(path, 0, 2, 1);
  EXPECT_TRUE(LexLeastTest(path).IsLeast(path));
  // The same path with middle 1: swapping 1 and 2 gives (0, 1, 1) < (1, 0, 1).
  Graph other = with_blocks({1, 2});
  set_edge(other, 1, 0, 1);
  set_edge(other, 1, 2, 1);
  EXPECT_FALSE(LexLeastTest(other).IsLeast(other));
}

TEST(LexLeastTest, GraphsWithoutEdgesOrWithOneVertexAreLeast) {
  Graph one = with_blocks({1});
  EXPECT_TRUE(LexLeastTest(one).IsLeast(one));
  Graph empty = with_blocks({4, 2});
  EXPECT_TRUE(LexLeastTest(empty).IsLeast(empty));
}

TEST(LexLeastTest, AgreesWithEveryPermutationOnRandomGraphs) {
  std::mt19937 random(7);
  int least = 0, not_least = 0;
  for (int trial = 0; trial < 3000; ++trial) {
    int K = 2 + trial % 6;
    Graph graph = random_graph(random, K, trial % 3 == 0 ? 1 : 3);
    LexLeastTest test(graph);
    bool expected = !brute_force_smaller(graph, K);
    ASSERT_EQ(expected, test.IsLeast(graph)) << "trial " << trial;
    (expected ? least : not_least)++;
  }
  // Both answers occur often enough for the comparison to mean something.
  EXPECT_GT(least, 300);
  EXPECT_GT(not_least, 300);
}

TEST(LexLeastTest, LeastRelabellingOfEveryRandomGraphIsLeast) {
  std::mt19937 random(11);
  for (int trial = 0; trial < 500; ++trial) {
    int K = 2 + trial % 6;
    Graph graph = random_graph(random, K, 2);
    std::vector<int> best;
    std::vector<int> best_perm;
    for_each_block_permutation(graph, [&](const std::vector<int>& perm) {
      std::vector<int> entries = upper_rows(graph, perm, K);
      if (best.empty() || entries < best) {
        best = entries;
        best_perm = perm;
      }
    });
    Graph relabelled = graph;
    for (int a = 0; a < K; ++a)
      for (int b = 0; b < K; ++b) relabelled.adjacency[a][b] = graph.adjacency[best_perm[a]][best_perm[b]];
    LexLeastTest test(relabelled);
    EXPECT_TRUE(test.IsLeast(relabelled)) << "trial " << trial;
  }
}

TEST(LexLeastTest, FinalRowsAgreeWithEveryPermutation) {
  std::mt19937 random(3);
  int cut = 0;
  for (int trial = 0; trial < 3000; ++trial) {
    int K = 3 + trial % 5;
    Graph graph = random_graph(random, K, trial % 2 == 0 ? 1 : 2);
    int rows = 1 + trial % (K - 1);
    LexLeastTest test(graph);
    bool expected = !brute_force_smaller(graph, rows);
    ASSERT_EQ(expected, test.MayBecomeLeast(graph, rows)) << "trial " << trial << " rows " << rows;
    if (!expected) ++cut;
  }
  EXPECT_GT(cut, 300);
}

TEST(LexLeastTest, NoCompletionOfACutPrefixIsLeast) {
  std::mt19937 random(5);
  for (int trial = 0; trial < 400; ++trial) {
    int K = 3 + trial % 5;
    Graph graph = random_graph(random, K, 2);
    int rows = 1 + trial % (K - 2 > 0 ? K - 2 : 1);
    LexLeastTest test(graph);
    if (test.MayBecomeLeast(graph, rows)) continue;
    // Whatever the rows after `rows` hold, the graph stays not least.
    std::uniform_int_distribution<int> multiplicity(0, 2);
    for (int completion = 0; completion < 20; ++completion) {
      for (int a = rows; a < K; ++a)
        for (int b = a + 1; b < K; ++b) set_edge(graph, a, b, multiplicity(random));
      EXPECT_FALSE(test.IsLeast(graph)) << "trial " << trial;
    }
  }
}
