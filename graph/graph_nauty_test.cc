// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include <gtest/gtest.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <thread>
#include <vector>

#include "graph/graph.h"
#include "main/test_support.h"

namespace {

/// A record of genus.size() components; `pairs` holds the multiplicities of
/// the pairs (0,1), (0,2), ..., (K-2,K-1) row by row, missing ones are 0.
Graph make(const std::vector<int>& genus, const std::vector<int>& marks, const std::vector<int>& loops,
           const std::vector<int>& pairs = {}) {
  return MakeGraph(genus, marks, loops, pairs);
}

std::string matrix_simple(const Graph& graph) {
  char* buffer = nullptr;
  size_t size = 0;
  FILE* f = open_memstream(&buffer, &size);
  graph.PrintMatrixSimple(f, const_cast<unsigned int*>(graph.nautyCanon));
  fclose(f);
  std::string text(buffer, size);
  free(buffer);
  return text;
}

std::vector<uint32_t> canon(const Graph& graph) {
  return std::vector<uint32_t>(graph.nautyCanon, graph.nautyCanon + graph.nautyK * graph.nautyM);
}

// Four components of genus 0 with one marked point each: a triangle 0-1-2
// with a pendant vertex joined to 0 by a double edge ...
const std::vector<int> kPaw = {1, 1, 2, 1, 0, 0};
// ... the same graph with the vertices renamed 0->2, 1->3, 2->0, 3->1 ...
const std::vector<int> kPawRenamed = {0, 1, 1, 2, 0, 1};
// ... and a four-cycle with one double edge: the same key, not isomorphic.
const std::vector<int> kCycle = {1, 0, 2, 1, 0, 1};

}  // namespace

TEST(GraphCanonicalForm, SimpleEdgesNeedNoEdgeVertices) {
  // Distinct triples put every component in a cell of its own, so the
  // canonical graph is the graph itself: the path 0 - 1 - 2.
  Graph graph = make({0, 0, 1}, {1, 2, 0}, {0, 0, 0}, {1, 0, 1});
  EXPECT_EQ("", matrix_simple(graph)) << "no form computed yet";
  graph.ComputeDreadnaut();
  EXPECT_EQ(3, graph.nautyK);
  EXPECT_EQ(1, graph.nautyM);
  EXPECT_EQ((std::vector<uint32_t>{0x40000000u, 0xA0000000u, 0x40000000u}), canon(graph));
  EXPECT_EQ("    0 1 0 \n    1 0 1 \n    0 1 0 \n", matrix_simple(graph));
}

TEST(GraphCanonicalForm, DoubleEdgeBecomesAPathThroughAnEdgeVertex) {
  Graph graph = make({0, 0}, {2, 2}, {0, 0}, {2});
  graph.ComputeDreadnaut();
  EXPECT_EQ(3, graph.nautyK);
  EXPECT_EQ((std::vector<uint32_t>{0x20000000u, 0x20000000u, 0xC0000000u}), canon(graph));
  EXPECT_EQ("    0 0 1 \n    0 0 1 \n    1 1 0 \n", matrix_simple(graph));
}

TEST(GraphCanonicalForm, MultiplicityCellsAscendWithoutGaps) {
  // Multiplicities 2 (pair 0-1, edge vertex 3) and 4 (pair 0-2, edge
  // vertex 4), none of 3; every cell is a single vertex.
  Graph graph = make({0, 0, 1}, {1, 2, 0}, {0, 0, 0}, {2, 4, 1});
  graph.ComputeDreadnaut();
  EXPECT_EQ(5, graph.nautyK);
  EXPECT_EQ((std::vector<uint32_t>{0x18000000u, 0x30000000u, 0x48000000u, 0xC0000000u, 0xA0000000u}),
            canon(graph));
  // Exchanging the two multiplicities would be invisible if the cells of 2
  // and 4 ran together.
  Graph swapped = make({0, 0, 1}, {1, 2, 0}, {0, 0, 0}, {4, 2, 1});
  EXPECT_FALSE(graph.Equal(swapped));
  EXPECT_EQ(5, swapped.nautyK);
}

TEST(GraphEqual, RenamingInsideACellKeepsTheForm) {
  Graph paw = make({0, 0, 0, 0}, {1, 1, 1, 1}, {0, 0, 0, 0}, kPaw);
  Graph renamed = make({0, 0, 0, 0}, {1, 1, 1, 1}, {0, 0, 0, 0}, kPawRenamed);
  EXPECT_TRUE(paw.Equal(renamed));
  EXPECT_EQ(5, paw.nautyK);
  EXPECT_EQ(canon(paw), canon(renamed));
}

TEST(GraphEqual, SameSizeDifferentGraphs) {
  Graph paw = make({0, 0, 0, 0}, {1, 1, 1, 1}, {0, 0, 0, 0}, kPaw);
  Graph cycle = make({0, 0, 0, 0}, {1, 1, 1, 1}, {0, 0, 0, 0}, kCycle);
  EXPECT_FALSE(paw.Equal(cycle));
  EXPECT_FALSE(cycle.EqualNauty(paw));
  EXPECT_EQ(paw.nautyK, cycle.nautyK);
}

TEST(GraphEqual, SingleAndDoubleEdgeDifferInSize) {
  Graph single = make({0, 0}, {2, 2}, {0, 0}, {1});
  Graph twice = make({0, 0}, {2, 2}, {0, 0}, {2});
  EXPECT_FALSE(single.Equal(twice));
  EXPECT_EQ(2, single.nautyK);
  EXPECT_EQ(3, twice.nautyK);
  // The sizes decide before any word is compared.
  memcpy(single.nautyCanon, twice.nautyCanon, sizeof(single.nautyCanon));
  EXPECT_FALSE(single.Equal(twice));
  EXPECT_FALSE(twice.EqualNauty(single));
}

TEST(GraphEqual, OneVertexRecordsAreAllEqual) {
  Graph a = make({2}, {0}, {1});
  Graph b = make({0}, {4}, {0});
  EXPECT_TRUE(a.Equal(b));
  EXPECT_EQ(1, a.nautyK);
  EXPECT_EQ(1, b.nautyK);
}

TEST(GraphEqual, LoopCountsAloneAreNotSeen) {
  Graph plain = make({0, 0}, {1, 1}, {0, 0}, {2});
  Graph looped = make({0, 0}, {1, 1}, {1, 1}, {2});
  EXPECT_TRUE(plain.Equal(looped));
  EXPECT_EQ(canon(plain), canon(looped));
}

TEST(GraphEqual, ComputesLazilyAndReusesTheCache) {
  Graph graph = make({0, 0, 0, 0}, {1, 1, 1, 1}, {0, 0, 0, 0}, kPaw);
  ASSERT_EQ(-1, graph.nautyK);
  EXPECT_TRUE(graph.Equal(graph));
  EXPECT_EQ(5, graph.nautyK);

  Graph other = make({0, 0, 0, 0}, {1, 1, 1, 1}, {0, 0, 0, 0}, kPawRenamed);
  ASSERT_EQ(-1, other.nautyK);
  EXPECT_TRUE(graph.Equal(other));
  EXPECT_EQ(5, other.nautyK) << "the other operand's form is cached too";

  // A spoiled cache is used as it is: Equal does not recompute a cached form,
  // ComputeDreadnaut always does.
  graph.nautyCanon[0] ^= 0xFFFFFFFFu;
  EXPECT_FALSE(graph.Equal(other));
  graph.ComputeDreadnaut();
  EXPECT_TRUE(graph.Equal(other));
}

TEST(GraphCanonicalForm, ThirtyTwoColouredVerticesAtMost) {
  // 30 components in a chain of single edges, plus double edges.
  std::vector<int> zeros(30, 0), ones(30, 1);
  Graph fits = make(zeros, ones, zeros);
  for (int i = 0; i + 1 < 30; ++i) fits.adjacency[i][i + 1] = fits.adjacency[i + 1][i] = 1;
  Graph too_big = fits;
  fits.adjacency[0][1] = fits.adjacency[1][0] = 2;
  fits.adjacency[28][29] = fits.adjacency[29][28] = 2;
  fits.ComputeDreadnaut();
  EXPECT_EQ(32, fits.nautyK);

  // The same chain read from the other end has the same form: nauty
  // relabels all 32 rows, the last bit of each word included.
  Graph reversed = make(zeros, ones, zeros);
  for (int i = 0; i + 1 < 30; ++i)
    reversed.adjacency[i][i + 1] = reversed.adjacency[i + 1][i] = fits.adjacency[28 - i][29 - i];
  EXPECT_TRUE(fits.Equal(reversed));
  reversed.adjacency[14][15] = reversed.adjacency[15][14] = 2;
  reversed.nautyK = -1;
  EXPECT_ANY_THROW(reversed.ComputeDreadnaut()) << "33 coloured vertices";

  too_big.adjacency[0][1] = too_big.adjacency[1][0] = 2;
  too_big.adjacency[1][2] = too_big.adjacency[2][1] = 2;
  too_big.adjacency[2][3] = too_big.adjacency[3][2] = 2;
  EXPECT_ANY_THROW(too_big.ComputeDreadnaut());
}

// The largest graphs of an accepted type: a chain of g doubled pairs
// between two marked points, 2g + n - 2 components and g edge vertices.
TEST(GraphCanonicalForm, LargestGraphOfTheLargestTypesFits) {
  for (auto [g, n] : std::vector<std::pair<int, int>>{{10, 4}, {5, 19}, {1, 31}}) {
    int K = 2 * g + n - 2;
    std::vector<int> zeros(K, 0), marked(K, 0);
    Graph chain = make(zeros, marked, zeros);
    for (int pair = 0; pair < g; ++pair) {
      int a = 2 * pair, b = a + 1;
      chain.adjacency[a][b] = chain.adjacency[b][a] = 2;
      if (b + 1 < K) chain.adjacency[b][b + 1] = chain.adjacency[b + 1][b] = 1;
    }
    // The remaining components continue the chain, each with one point.
    for (int v = 2 * g; v + 1 < K; ++v) chain.adjacency[v][v + 1] = chain.adjacency[v + 1][v] = 1;
    chain.marked_points[0] = 1;
    for (int v = 2 * g; v < K; ++v) chain.marked_points[v] = 1;
    chain.marked_points[K - 1] = 2;
    chain.ComputeDreadnaut();
    EXPECT_EQ(32, chain.nautyK) << "(" << g << ", " << n << ")";
  }
}

// nauty keeps its working state per thread, so canonical forms computed on
// several threads at once match those computed one at a time.
TEST(GraphNautyThreads, CanonicalFormsAgreeAcrossThreads) {
  std::vector<Graph> graphs;
  for (int t = 0; t < 200; ++t) {
    Graph graph(0, 0, 6);
    graph.Clear(6);
    for (int i = 0; i < 6; ++i)
      for (int j = i + 1; j < 6; ++j) graph.adjacency[i][j] = graph.adjacency[j][i] = (i * 7 + j * 3 + t) % 4 == 0 ? (t + i) % 3 + 1 : 0;
    graphs.push_back(graph);
  }
  std::vector<Graph> sequential = graphs;
  for (Graph& graph : sequential) graph.ComputeDreadnaut();
  std::vector<std::thread> threads;
  std::vector<std::vector<Graph>> copies(4, graphs);
  for (auto& copy : copies)
    threads.emplace_back([&copy] {
      for (int round = 0; round < 20; ++round)
        for (Graph& graph : copy) graph.ComputeDreadnaut();
    });
  for (std::thread& thread : threads) thread.join();
  for (const auto& copy : copies) {
    for (size_t k = 0; k < graphs.size(); ++k) {
      ASSERT_EQ(sequential[k].nautyK, copy[k].nautyK);
      EXPECT_EQ(0, memcmp(sequential[k].nautyCanon, copy[k].nautyCanon, 4 * sequential[k].nautyK)) << k;
    }
  }
}

// A damaged stream can carry any multiplicity; found by fuzzing the reader,
// whose graphs go through nauty: 32 once overran a table sized for the
// multiplicities of genus 8.
TEST(GraphNautyLimits, MultiplicitiesBeyondGenusEight) {
  Graph graph(0, 0, 3);
  graph.Clear(3);
  graph.adjacency[0][1] = graph.adjacency[1][0] = 32;
  graph.adjacency[1][2] = graph.adjacency[2][1] = 2;
  graph.adjacency[0][2] = graph.adjacency[2][0] = 127;
  graph.ComputeDreadnaut();
  EXPECT_EQ(6, graph.nautyK) << "three components and three edge vertices";
  Graph swapped = graph;
  swapped.adjacency[0][1] = swapped.adjacency[1][0] = 127;
  swapped.adjacency[0][2] = swapped.adjacency[2][0] = 32;
  swapped.nautyK = -1;
  EXPECT_TRUE(graph.Equal(swapped)) << "vertices 1 and 2 trade places";
}
