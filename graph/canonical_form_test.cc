// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include <gtest/gtest.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <thread>
#include <vector>

#include "graph/canonical_form.h"
#include "graph/graph.h"
#include "testing/test_support.h"

namespace {

/// A record of genus.size() components; `pairs` holds the multiplicities of
/// the pairs (0,1), (0,2), ..., (K-2,K-1) row by row, missing ones are 0.
Graph make(const std::vector<int>& genus, const std::vector<int>& marks, const std::vector<int>& loops,
           const std::vector<int>& pairs = {}) {
  return MakeGraph(genus, marks, loops, pairs);
}

/// The canonical form of a graph.
CanonicalForm form_of(const Graph& graph) {
  CanonicalForm form;
  ComputeCanonicalForm(graph, &form);
  return form;
}

/// The canonical graph as a 0/1 matrix, one indented row per line.
std::string matrix_simple(const CanonicalForm& form) {
  std::string text;
  for (int i = 0; i < form.vertices; ++i) {
    text += "    ";
    for (int j = 0; j < form.vertices; ++j) text += (form.rows[i] >> (31 - j) & 1) ? "1 " : "0 ";
    text += "\n";
  }
  return text;
}

std::vector<uint32_t> canon(const CanonicalForm& form) {
  return std::vector<uint32_t>(form.rows, form.rows + form.vertices);
}

/// True when the two graphs have the same canonical form.
bool same(const Graph& a, const Graph& b) { return form_of(a).SameGraph(form_of(b)); }

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
  CanonicalForm form = form_of(make({0, 0, 1}, {1, 2, 0}, {0, 0, 0}, {1, 0, 1}));
  EXPECT_EQ(3, form.vertices);
  EXPECT_EQ((std::vector<uint32_t>{0x40000000u, 0xA0000000u, 0x40000000u}), canon(form));
  EXPECT_EQ("    0 1 0 \n    1 0 1 \n    0 1 0 \n", matrix_simple(form));
}

TEST(GraphCanonicalForm, DoubleEdgeBecomesAPathThroughAnEdgeVertex) {
  CanonicalForm form = form_of(make({0, 0}, {2, 2}, {0, 0}, {2}));
  EXPECT_EQ(3, form.vertices);
  EXPECT_EQ((std::vector<uint32_t>{0x20000000u, 0x20000000u, 0xC0000000u}), canon(form));
  EXPECT_EQ("    0 0 1 \n    0 0 1 \n    1 1 0 \n", matrix_simple(form));
}

TEST(GraphCanonicalForm, MultiplicityCellsAscendWithoutGaps) {
  // Multiplicities 2 (pair 0-1, edge vertex 3) and 4 (pair 0-2, edge
  // vertex 4), none of 3; every cell is a single vertex.
  Graph graph = make({0, 0, 1}, {1, 2, 0}, {0, 0, 0}, {2, 4, 1});
  CanonicalForm form = form_of(graph);
  EXPECT_EQ(5, form.vertices);
  EXPECT_EQ((std::vector<uint32_t>{0x18000000u, 0x30000000u, 0x48000000u, 0xC0000000u, 0xA0000000u}), canon(form));
  // Exchanging the two multiplicities would be invisible if the cells of 2
  // and 4 ran together.
  Graph swapped = make({0, 0, 1}, {1, 2, 0}, {0, 0, 0}, {4, 2, 1});
  EXPECT_FALSE(same(graph, swapped));
  EXPECT_EQ(5, form_of(swapped).vertices);
}

TEST(GraphEqual, RenamingInsideACellKeepsTheForm) {
  Graph paw = make({0, 0, 0, 0}, {1, 1, 1, 1}, {0, 0, 0, 0}, kPaw);
  Graph renamed = make({0, 0, 0, 0}, {1, 1, 1, 1}, {0, 0, 0, 0}, kPawRenamed);
  EXPECT_TRUE(same(paw, renamed));
  EXPECT_EQ(5, form_of(paw).vertices);
  EXPECT_EQ(canon(form_of(paw)), canon(form_of(renamed)));
}

TEST(GraphEqual, SameSizeDifferentGraphs) {
  Graph paw = make({0, 0, 0, 0}, {1, 1, 1, 1}, {0, 0, 0, 0}, kPaw);
  Graph cycle = make({0, 0, 0, 0}, {1, 1, 1, 1}, {0, 0, 0, 0}, kCycle);
  EXPECT_FALSE(same(paw, cycle));
  EXPECT_FALSE(same(cycle, paw));
  EXPECT_EQ(form_of(paw).vertices, form_of(cycle).vertices);
}

TEST(GraphEqual, SingleAndDoubleEdgeDifferInSize) {
  CanonicalForm single = form_of(make({0, 0}, {2, 2}, {0, 0}, {1}));
  CanonicalForm twice = form_of(make({0, 0}, {2, 2}, {0, 0}, {2}));
  EXPECT_FALSE(single.SameGraph(twice));
  EXPECT_EQ(2, single.vertices);
  EXPECT_EQ(3, twice.vertices);
  // The sizes decide before any word is compared.
  memcpy(single.rows, twice.rows, sizeof(single.rows));
  EXPECT_FALSE(single.SameGraph(twice));
  EXPECT_FALSE(twice.SameGraph(single));
}

TEST(GraphEqual, OneVertexRecordsAreAllEqual) {
  Graph a = make({2}, {0}, {1});
  Graph b = make({0}, {4}, {0});
  EXPECT_TRUE(same(a, b));
  EXPECT_EQ(1, form_of(a).vertices);
  EXPECT_EQ(1, form_of(b).vertices);
}

TEST(GraphEqual, LoopCountsAloneAreNotSeen) {
  Graph plain = make({0, 0}, {1, 1}, {0, 0}, {2});
  Graph looped = make({0, 0}, {1, 1}, {1, 1}, {2});
  EXPECT_TRUE(same(plain, looped));
  EXPECT_EQ(canon(form_of(plain)), canon(form_of(looped)));
}

TEST(CanonicalFormCache, ComputesOnceUntilInvalidated) {
  Graph graph = make({0, 0, 0, 0}, {1, 1, 1, 1}, {0, 0, 0, 0}, kPaw);
  CanonicalFormCache cache;
  ASSERT_EQ(nullptr, cache.IfComputed());
  EXPECT_EQ(5, cache.Of(graph).vertices);
  ASSERT_NE(nullptr, cache.IfComputed());
  CanonicalForm renamed = form_of(make({0, 0, 0, 0}, {1, 1, 1, 1}, {0, 0, 0, 0}, kPawRenamed));
  EXPECT_TRUE(cache.Of(graph).SameGraph(renamed));

  // The cached form is used as it is, even for another description, until
  // the cache is told the description changed.
  Graph cycle = make({0, 0, 0, 0}, {1, 1, 1, 1}, {0, 0, 0, 0}, kCycle);
  EXPECT_TRUE(cache.Of(cycle).SameGraph(renamed));
  cache.Invalidate();
  EXPECT_EQ(nullptr, cache.IfComputed());
  EXPECT_FALSE(cache.Of(cycle).SameGraph(renamed));
}

TEST(GraphCanonicalForm, ThirtyTwoColouredVerticesAtMost) {
  // 30 components in a chain of single edges, plus double edges.
  std::vector<int> zeros(30, 0), ones(30, 1);
  Graph fits = make(zeros, ones, zeros);
  for (int i = 0; i + 1 < 30; ++i) fits.adjacency[i][i + 1] = fits.adjacency[i + 1][i] = 1;
  Graph too_big = fits;
  fits.adjacency[0][1] = fits.adjacency[1][0] = 2;
  fits.adjacency[28][29] = fits.adjacency[29][28] = 2;
  EXPECT_EQ(32, form_of(fits).vertices);

  // The same chain read from the other end has the same form: nauty
  // relabels all 32 rows, the last bit of each word included.
  Graph reversed = make(zeros, ones, zeros);
  for (int i = 0; i + 1 < 30; ++i)
    reversed.adjacency[i][i + 1] = reversed.adjacency[i + 1][i] = fits.adjacency[28 - i][29 - i];
  EXPECT_TRUE(same(fits, reversed));
  reversed.adjacency[14][15] = reversed.adjacency[15][14] = 2;
  EXPECT_ANY_THROW(form_of(reversed)) << "33 coloured vertices";

  too_big.adjacency[0][1] = too_big.adjacency[1][0] = 2;
  too_big.adjacency[1][2] = too_big.adjacency[2][1] = 2;
  too_big.adjacency[2][3] = too_big.adjacency[3][2] = 2;
  EXPECT_ANY_THROW(form_of(too_big));
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
    EXPECT_EQ(32, form_of(chain).vertices) << "(" << g << ", " << n << ")";
  }
}

// nauty keeps its working state per thread, so canonical forms computed on
// several threads at once match those computed one at a time.
TEST(GraphNautyThreads, CanonicalFormsAgreeAcrossThreads) {
  std::vector<Graph> graphs;
  for (int t = 0; t < 200; ++t) {
    Graph graph(0, 0, 6);
    for (int i = 0; i < 6; ++i)
      for (int j = i + 1; j < 6; ++j) graph.adjacency[i][j] = graph.adjacency[j][i] = (i * 7 + j * 3 + t) % 4 == 0 ? (t + i) % 3 + 1 : 0;
    graphs.push_back(graph);
  }
  std::vector<CanonicalForm> sequential;
  for (const Graph& graph : graphs) sequential.push_back(form_of(graph));
  std::vector<std::thread> threads;
  std::vector<std::vector<CanonicalForm>> copies(4, std::vector<CanonicalForm>(graphs.size()));
  for (auto& copy : copies)
    threads.emplace_back([&copy, &graphs] {
      for (int round = 0; round < 20; ++round)
        for (size_t k = 0; k < graphs.size(); ++k) ComputeCanonicalForm(graphs[k], &copy[k]);
    });
  for (std::thread& thread : threads) thread.join();
  for (const auto& copy : copies) {
    for (size_t k = 0; k < graphs.size(); ++k) {
      ASSERT_EQ(sequential[k].vertices, copy[k].vertices);
      EXPECT_TRUE(sequential[k].SameGraph(copy[k])) << k;
    }
  }
}

// A damaged stream can carry any multiplicity; found by fuzzing the reader,
// whose graphs go through nauty: 32 once overran a table sized for the
// multiplicities of genus 8.
TEST(GraphNautyLimits, MultiplicitiesBeyondGenusEight) {
  Graph graph(0, 0, 3);
  graph.adjacency[0][1] = graph.adjacency[1][0] = 32;
  graph.adjacency[1][2] = graph.adjacency[2][1] = 2;
  graph.adjacency[0][2] = graph.adjacency[2][0] = 127;
  EXPECT_EQ(6, form_of(graph).vertices) << "three components and three edge vertices";
  Graph swapped = graph;
  swapped.adjacency[0][1] = swapped.adjacency[1][0] = 127;
  swapped.adjacency[0][2] = swapped.adjacency[2][0] = 32;
  EXPECT_TRUE(same(graph, swapped)) << "vertices 1 and 2 trade places";
}
