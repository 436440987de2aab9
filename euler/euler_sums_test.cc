// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "euler/euler_sums.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "euler/euler_term.h"
#include "main/test_support.h"

namespace {

std::map<int, mpq_class> term_by_term(const std::vector<Graph>& graphs) {
  std::map<int, mpq_class> sums;
  for (const Graph& graph : graphs) sums[graph.codimension] += EulerTerm(graph);
  return sums;
}

}  // namespace

TEST(EulerTerm, ValenceCountsLoopsTwice) {
  Graph graph = MakeGraph({0, 1}, {2, 0}, {1, 0}, {2});
  EXPECT_EQ(2 + 2 + 2, Valence(graph, 0));
  EXPECT_EQ(2, Valence(graph, 1));
}

TEST(EulerTerm, ZeroFour) {
  EXPECT_EQ(mpq_class(-1, 24), EulerTerm(MakeGraph({0}, {4}, {0})));
  EXPECT_EQ(mpq_class(1, 8), EulerTerm(MakeGraph({0, 0}, {2, 2}, {0, 0}, {1})));
}

TEST(EulerSums, CountingByKeyGivesTheExactSum) {
  for (auto type : {std::make_pair(2, 1), std::make_pair(0, 9), std::make_pair(3, 2)}) {
    std::vector<Graph> graphs = AllGraphs(type.first, type.second);
    EulerSums sums;
    for (const Graph& graph : graphs) sums.Add(graph);
    EXPECT_EQ(graphs.size(), sums.graphs());
    EXPECT_EQ(term_by_term(graphs), sums.ByCodimension());
  }
}

TEST(EulerSums, OrdersBeyondSixtyFourBits) {
  // 33! and 2^24 * 24! do not fit 64 bits.
  std::vector<int> genus(25, 0), marks(25, 2), loops(25, 0), pairs(24, 1);
  marks[0] = 0;
  std::vector<Graph> graphs = {MakeGraph({0}, {33}, {0}), MakeGraph(genus, marks, loops, pairs),
                               MakeGraph({0}, {33}, {0})};
  EulerSums sums;
  for (const Graph& graph : graphs) sums.Add(graph);
  EXPECT_EQ(term_by_term(graphs), sums.ByCodimension());
}

TEST(EulerSums, MergeAddsTheCounts) {
  std::vector<Graph> graphs = AllGraphs(2, 2);
  EulerSums first, second, all;
  for (size_t i = 0; i < graphs.size(); ++i) {
    (i % 3 == 0 ? first : second).Add(graphs[i]);
    all.Add(graphs[i]);
  }
  first.Merge(second);
  EXPECT_EQ(all.graphs(), first.graphs());
  EXPECT_EQ(all.ByCodimension(), first.ByCodimension());
}

