// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "graph/lex_least.h"

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
  int v = 0;
  for (size_t b = 0; b < block_sizes.size(); ++b)
    for (int i = 0; i < block_sizes[b]; ++i, ++v) {
      // Neighbouring blocks differ in one attribute or another.
      graph.genus[v] = static_cast<int8_t>(b / 4);
      graph.marked_points[v] = static_cast<int8_t>((b / 2) % 2);
      graph.SetLoops(v, b % 2);
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

/// A graph with many automorphisms: a random graph on a few vertices with
/// every vertex repeated (the copies share blocks and neighbours), then
/// relabelled at random within the blocks.
Graph symmetric_graph(std::mt19937& random, int base, int copies) {
  const int K = base * copies;
  std::vector<int> block_of(base);
  for (int b = 0; b < base; ++b) block_of[b] = std::uniform_int_distribution<int>(0, 1)(random);
  std::vector<int> order(base);
  for (int b = 0; b < base; ++b) order[b] = b;
  std::stable_sort(order.begin(), order.end(), [&](int x, int y) { return block_of[x] < block_of[y]; });
  std::vector<int> sizes;
  int zeros = 0;
  for (int b = 0; b < base; ++b) zeros += block_of[b] == 0;
  if (zeros > 0) sizes.push_back(zeros * copies);
  if (zeros < base) sizes.push_back((base - zeros) * copies);
  Graph graph = with_blocks(sizes);
  std::uniform_int_distribution<int> multiplicity(0, 2);
  std::vector<std::vector<int>> between(base, std::vector<int>(base));
  for (int a = 0; a < base; ++a)
    for (int b = a; b < base; ++b) between[a][b] = between[b][a] = multiplicity(random);
  // Vertex v is copy v % copies of base vertex order[v / copies]; copies of
  // one base vertex are joined by its own multiplicity.
  std::vector<int> perm(K);
  for (int v = 0; v < K; ++v) perm[v] = v;
  for (size_t start = 0, b = 0; b < sizes.size(); start += sizes[b], ++b)
    std::shuffle(perm.begin() + start, perm.begin() + start + sizes[b], random);
  for (int a = 0; a < K; ++a)
    for (int b = a + 1; b < K; ++b)
      set_edge(graph, a, b, between[order[perm[a] / copies]][order[perm[b] / copies]]);
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

TEST(LexLeastTest, AgreesWithEveryPermutationOnSymmetricGraphs) {
  std::mt19937 random(13);
  int least = 0;
  for (int trial = 0; trial < 600; ++trial) {
    int base = 1 + trial % 4, copies = 2 + trial % 2;
    if (base * copies > 8) copies = 2;
    Graph graph = symmetric_graph(random, base, copies);
    LexLeastTest test(graph);
    bool expected = !brute_force_smaller(graph, graph.K);
    ASSERT_EQ(expected, test.IsLeast(graph)) << "trial " << trial;
    least += expected;
    int rows = 1 + trial % (graph.K - 1 > 0 ? graph.K - 1 : 1);
    ASSERT_EQ(!brute_force_smaller(graph, rows), test.MayBecomeLeast(graph, rows)) << "trial " << trial;
  }
  EXPECT_GT(least, 50);
  EXPECT_LT(least, 550);
}

TEST(LexLeastTest, LeastRelabellingOfEveryRandomGraphIsLeast) {
  std::mt19937 random(11);
  for (int trial = 0; trial < 500; ++trial) {
    int K = 2 + trial % 6;
    Graph graph = trial % 2 == 0 ? random_graph(random, K, 2) : symmetric_graph(random, 1 + trial % 3, 2);
    K = graph.K;
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

TEST(LexLeastTest, TestsAlongTheSearchAgreeWithTestsAfresh) {
  // A search that finishes rows in order and goes back to rewrite them:
  // every test that takes up the earlier ones answers as a test afresh.
  std::mt19937 random(17);
  int cuts = 0, least = 0;
  for (int trial = 0; trial < 2000; ++trial) {
    Graph model = trial % 2 == 0 ? random_graph(random, 3 + trial % 6, 2)
                                 : symmetric_graph(random, 2 + trial % 3, 2 + trial % 2);
    const int K = model.K;
    Graph graph = model;
    LexLeastTest along(graph), afresh(graph);
    // Rows from `from` on take the model's rows or random ones.
    auto rewrite = [&](int from) {
      bool copy = std::uniform_int_distribution<int>(0, 1)(random) == 1;
      std::uniform_int_distribution<int> multiplicity(0, 2);
      for (int a = from; a < K; ++a)
        for (int b = a + 1; b < K; ++b) set_edge(graph, a, b, copy ? model.adjacency[a][b] : multiplicity(random));
    };
    int finished = 0;  // rows 0 .. finished - 1 passed, in order
    for (int step = 0; step < 40; ++step) {
      int from = std::uniform_int_distribution<int>(0, finished)(random);
      rewrite(from);
      if (std::uniform_int_distribution<int>(0, 2)(random) == 0) {
        bool expected = afresh.IsLeast(graph);
        ASSERT_EQ(expected, along.IsLeastAfterRows(graph, from)) << "trial " << trial << " step " << step;
        least += expected;
        finished = from;
        continue;
      }
      finished = from;
      for (int rows = from + 1; rows <= K - 2; ++rows) {
        bool expected = afresh.MayBecomeLeast(graph, rows);
        ASSERT_EQ(expected, along.MayBecomeLeastAfterRow(graph, rows))
            << "trial " << trial << " step " << step << " rows " << rows;
        if (!expected) {
          ++cuts;
          break;
        }
        finished = rows;
      }
    }
  }
  EXPECT_GT(cuts, 300);
  EXPECT_GT(least, 100);
}
