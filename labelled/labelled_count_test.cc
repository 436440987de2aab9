// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "labelled/labelled_count.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "graph/automorphism_order.h"
#include "testing/labelled_test_support.h"

namespace {

/// The labelled graphs of type (g, n) per codimension, over the whole search.
std::map<int, mpz_class> by_codimension(int g, int n) {
  std::map<int, mpz_class> counts;
  for (const Graph& graph : AllGraphs(g, n)) counts[graph.codimension] += LabelledGraphCount(graph);
  return counts;
}

mpz_class total(int g, int n) {
  LabelledTally tally;
  for (const Graph& graph : AllGraphs(g, n)) tally.Add(graph);
  return tally.Total();
}

}  // namespace

TEST(LabelledCount, StrataOfGenusZero) {
  const char* known[] = {"1", "4", "26", "236", "2752", "39208", "660032", "12818912"};
  for (int n = 3; n <= 10; ++n) EXPECT_EQ(mpz_class(known[n - 3]), total(0, n)) << "n = " << n;
}

TEST(LabelledCount, KnownTypes) {
  EXPECT_EQ((std::map<int, mpz_class>{{0, 1}, {1, 10}, {2, 15}}), by_codimension(0, 5));
  EXPECT_EQ(2, total(1, 1));
  EXPECT_EQ(7, total(2, 0));  // no points: as unlabelled
  EXPECT_EQ(AllGraphs(4, 0).size(), total(4, 0));
}

TEST(LabelledCount, BurnsideMatchesBruteForce) {
  for (auto [g, n] : std::vector<std::pair<int, int>>{{0, 7}, {1, 4}, {2, 3}, {3, 1}}) {
    for (const Graph& graph : AllGraphs(g, n)) {
      if (graph.K > 7) continue;
      ASSERT_EQ(BruteForceCanonicalWords(graph).size(), LabelledGraphCount(graph)) << Describe(graph);
    }
  }
}

TEST(LabelledCount, ObviouslyFixedOnlyWhenAlone) {
  EXPECT_TRUE(PointVerticesObviouslyFixed(MakeGraph({0, 0}, {1, 3}, {0, 0}, {1})));
  EXPECT_FALSE(PointVerticesObviouslyFixed(MakeGraph({0, 0}, {2, 2}, {0, 0}, {1})));
  // Twin vertices without points do not matter.
  EXPECT_TRUE(PointVerticesObviouslyFixed(MakeGraph({0, 1, 1}, {2, 0, 0}, {0, 0, 0}, {1, 1, 0})));
}

// A path of genus-1 vertices with a point each: only the reflection.
TEST(LabelledCount, TallyStaysExactPast64Bits) {
  std::vector<int> genus(20, 1), marks(20, 1), loops(20, 0), pairs(190, 0);
  for (int i = 0, p = 0; i < 20; ++i)
    for (int j = i + 1; j < 20; ++j, ++p) pairs[p] = j == i + 1 ? 1 : 0;
  Graph path = MakeGraph(genus, marks, loops, pairs);
  mpz_class half;
  mpz_fac_ui(half.get_mpz_t(), 20);
  half /= 2;
  EXPECT_EQ(half, LabelledGraphCount(path));
  LabelledTally tally, copy;
  for (int k = 0; k < 16; ++k) tally.Add(path);  // passes 2^64 on the way
  EXPECT_EQ(16 * half, tally.Total());
  copy.Add(tally);
  copy.Add(tally);
  EXPECT_EQ(32 * half, copy.Total());

  std::vector<int> genus21(21, 1), marks21(21, 1), loops21(21, 0), pairs21(210, 0);
  for (int i = 0, p = 0; i < 21; ++i)
    for (int j = i + 1; j < 21; ++j, ++p) pairs21[p] = j == i + 1 ? 1 : 0;
  mpz_class big;
  mpz_fac_ui(big.get_mpz_t(), 21);
  LabelledTally long_path;
  long_path.Add(MakeGraph(genus21, marks21, loops21, pairs21));
  EXPECT_EQ(big / 2, long_path.Total());
}

// The search hands over graphs whose canonical form nauty has computed;
// the count then comes from the orbits nauty found with it, and must be
// the one found without them.
TEST(LabelledCount, SameWithTheSearchsOrbits) {
  for (auto [g, n] : std::vector<std::pair<int, int>>{{0, 9}, {1, 6}, {2, 4}, {3, 2}}) {
    for (const Graph& graph : AllGraphs(g, n)) {
      CanonicalForm form;
      ComputeCanonicalForm(graph, &form);
      mpz_class plain = LabelledGraphCount(graph);
      ASSERT_EQ(plain, LabelledGraphCount(graph, &form)) << Describe(graph);
      LabelledTally a, b;
      a.Add(graph);
      b.Add(graph, &form);
      ASSERT_EQ(plain, a.Total());
      ASSERT_EQ(plain, b.Total());
    }
  }
}

TEST(LabelledCount, PointFixingOrderMatchesBruteForce) {
  for (auto [g, n] : std::vector<std::pair<int, int>>{{0, 8}, {1, 5}, {2, 3}, {3, 1}, {4, 0}}) {
    for (const Graph& graph : AllGraphs(g, n)) {
      if (graph.K > 7) continue;
      long fixing = 0;
      for (const std::vector<int>& permutation : BruteForceAutomorphisms(graph)) {
        bool fixes = true;
        for (int v = 0; v < graph.K; ++v) fixes = fixes && (graph.marked_points[v] == 0 || permutation[v] == v);
        fixing += fixes;
      }
      ASSERT_EQ(fixing, PointFixingSymmetryOrder(graph)) << Describe(graph);
    }
  }
  // The star of four leaves with two points each: only the identity.
  EXPECT_EQ(1, PointFixingSymmetryOrder(MakeGraph({0, 0, 0, 0, 0}, {0, 2, 2, 2, 2}, {0, 0, 0, 0, 0}, {1, 1, 1, 1})));
  // Two genus-1 leaves without points on a vertex with four: swapped.
  EXPECT_EQ(2, PointFixingSymmetryOrder(MakeGraph({0, 1, 1}, {4, 0, 0}, {0, 0, 0}, {1, 1, 0})));
}
