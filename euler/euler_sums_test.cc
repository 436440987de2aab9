// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "euler/euler_sums.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "euler/euler_term.h"
#include "testing/test_support.h"

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


namespace {

/// n! * EulerTerm: by orbit and stabiliser, the sum of the terms of the
/// labelled graphs over a graph.
mpq_class labelled_total(const Graph& graph) {
  mpz_class factorial;
  mpz_fac_ui(factorial.get_mpz_t(), static_cast<unsigned long>(graph.n));
  return EulerTerm(graph) * factorial;
}

/// A path of K genus-0 vertices, two points at each end and one at each
/// vertex between: type (0, K + 2).
Graph caterpillar(int K) {
  std::vector<int> genus(K, 0), marks(K, 1), loops(K, 0), pairs;
  marks[0] = marks[K - 1] = 2;
  for (int v = 0; v < K; ++v)
    for (int w = v + 1; w < K; ++w) pairs.push_back(w == v + 1 ? 1 : 0);
  return MakeGraph(genus, marks, loops, pairs);
}

}  // namespace

TEST(EulerSums, LabelledGraphsCountedOverEachGraph) {
  for (auto type : {std::make_pair(0, 7), std::make_pair(2, 3), std::make_pair(3, 1)}) {
    std::vector<Graph> graphs = AllGraphs(type.first, type.second);
    for (const Graph& graph : graphs) {
      EulerSums sums;
      sums.AddLabelledGraphs(graph);
      EXPECT_EQ(1u, sums.graphs());
      EXPECT_EQ((std::map<int, mpq_class>{{graph.codimension, labelled_total(graph)}}), sums.ByCodimension());
    }
  }
}

TEST(EulerSums, LabelledGraphsListedOneByOne) {
  // Listed, the labelled graphs of a graph share a key; a graph in between
  // with another description must not take it over.
  Graph split = MakeGraph({0, 0}, {2, 3}, {0, 0}, {1});      // 10 labelled graphs
  Graph loop = MakeGraph({0, 0}, {1, 4}, {1, 0}, {1});       // 5 labelled graphs
  Graph split_labelled = split, loop_labelled = loop;
  split_labelled.labelled = loop_labelled.labelled = true;
  EulerSums sums;
  for (int i = 0; i < 6; ++i) sums.Add(split_labelled);
  sums.Add(loop_labelled);
  for (int i = 0; i < 4; ++i) sums.Add(split_labelled);
  for (int i = 0; i < 4; ++i) sums.Add(loop_labelled);
  EXPECT_EQ(15u, sums.graphs());
  EXPECT_EQ((std::map<int, mpq_class>{{1, labelled_total(split)}, {2, labelled_total(loop)}}), sums.ByCodimension());
}

TEST(EulerSums, LabelledCountsBeyondSixtyFourBits) {
  // The caterpillar of (0, 33) has 33! / 8 labelled graphs; twice that, and
  // merged, the counts pass 2^64 on every path.
  Graph graph = caterpillar(31);
  ASSERT_EQ(33, graph.n);
  EulerSums once, twice;
  once.AddLabelledGraphs(graph);
  twice.AddLabelledGraphs(graph);
  twice.AddLabelledGraphs(graph);
  EXPECT_EQ((std::map<int, mpq_class>{{30, labelled_total(graph)}}), once.ByCodimension());
  EXPECT_EQ((std::map<int, mpq_class>{{30, 2 * labelled_total(graph)}}), twice.ByCodimension());
  twice.Merge(once);
  EXPECT_EQ((std::map<int, mpq_class>{{30, 3 * labelled_total(graph)}}), twice.ByCodimension());
  // Small counts that add up past 2^64 in Merge: (0, 21)'s caterpillar has
  // 21! / 8, below 2^64, and four times that is not.
  Graph small = caterpillar(19);
  EulerSums four;
  four.AddLabelledGraphs(small);
  for (int i = 0; i < 2; ++i) {
    EulerSums copy = four;
    four.Merge(copy);
  }
  EXPECT_EQ((std::map<int, mpq_class>{{18, 4 * labelled_total(small)}}), four.ByCodimension());
}

TEST(EulerSums, StateCarriesCountsPastSixtyFourBits) {
  EulerSums sums;
  sums.AddLabelledGraphs(caterpillar(31));
  sums.AddLabelledGraphs(caterpillar(19));
  sums.Add(MakeGraph({0}, {4}, {0}));
  EulerSums restored;
  ASSERT_TRUE(restored.RestoreState(sums.State()));
  EXPECT_EQ(sums.graphs(), restored.graphs());
  EXPECT_EQ(sums.ByCodimension(), restored.ByCodimension());
  EXPECT_EQ(sums.State(), restored.State());
  for (const char* bad : {"1 1 00:-1", "1 1 00:+1", "1 1 00:", "1 1 00:1x"})
    EXPECT_FALSE(restored.RestoreState(bad)) << bad;
  EXPECT_EQ(sums.ByCodimension(), restored.ByCodimension()) << "a refused state changes nothing";
}

// A State comes from a file: a key that make_key never writes (whose
// component count runs past its bytes, with an order of 0, an unstable or
// unsorted vertex) is refused, so that the sums never read past a key or
// divide by 0.
TEST(EulerSums, RestoreStateRefusesKeysNeverMade) {
  EulerSums sums;
  sums.Add(MakeGraph({0}, {4}, {0}));
  // Codimension 0, one component of genus 0 and valence 4, |Aut| = 4!.
  const std::string key = "00010004" "00" "1800000000000000";
  ASSERT_EQ("1 1 " + key + ":1", sums.State());
  EulerSums restored;
  ASSERT_TRUE(restored.RestoreState(sums.State()));
  for (const std::string& bad : {std::string("0028") + key.substr(4), std::string("00000004") + key.substr(8),
                                 key.substr(0, 10) + std::string(16, '0'), std::string("00010002") + key.substr(8),
                                 key + "00", key.substr(0, 20), std::string("00020004") + "0003" + key.substr(8),
                                 std::string("00010004ff"), std::string("00010004ff3031"), std::string("00010004ff7a")})
    EXPECT_FALSE(restored.RestoreState("1 1 " + bad + ":1")) << bad;
  EXPECT_FALSE(restored.RestoreState("1 1 " + key + ":0")) << "a count of 0";
  EXPECT_FALSE(restored.RestoreState("1 1 " + key + ":01")) << "a count as State never writes it";
  EXPECT_EQ(sums.State(), restored.State()) << "a refused state changes nothing";
}

// The keys of a restored State are checked against the type and the
// graphs printed: per component count, per codimension, in all.
TEST(EulerSums, CountsProblemComparesWithTheGraphsPrinted) {
  EulerSums sums;
  sums.Add(MakeGraph({0}, {4}, {0}));
  sums.Add(MakeGraph({0}, {4}, {0}));
  std::vector<mpz_class> per_components = {0, 2}, per_codimension = {2, 0};
  EXPECT_EQ("", sums.CountsProblem(0, 4, 2, per_components, per_codimension));
  EXPECT_NE("", sums.CountsProblem(1, 2, 2, per_components, per_codimension)) << "another type";
  EXPECT_NE("", sums.CountsProblem(0, 5, 2, per_components, per_codimension)) << "another type";
  EXPECT_NE("", sums.CountsProblem(0, 4, 3, per_components, per_codimension)) << "more graphs";
  EXPECT_NE("", sums.CountsProblem(0, 4, 2, {0, 1}, per_codimension)) << "fewer with one component";
  EXPECT_NE("", sums.CountsProblem(0, 4, 2, per_components, {1, 1})) << "another codimension";
  EXPECT_NE("", sums.CountsProblem(0, 4, 2, {0}, {2})) << "components not printed";
}
