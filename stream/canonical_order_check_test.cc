// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "stream/canonical_order_check.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "euler/euler_term.h"
#include "graph/automorphism_order.h"
#include "testing/labelled_test_support.h"
#include "testing/test_support.h"

namespace {

/// The problem the check finds with the last of `graphs`, given the ones
/// before it ("" for none).
std::string last_problem(const std::vector<Graph>& graphs) {
  CanonicalOrderCheck check;
  std::string problem;
  for (const Graph& graph : graphs) problem = check.Check(graph);
  return problem;
}

/// `graph` with vertices a and b exchanged.
Graph swapped(const Graph& graph, int a, int b) {
  Graph out = graph;
  int order[kMaxComponents];
  for (int v = 0; v < graph.K; ++v) order[v] = v == a ? b : v == b ? a : v;
  for (int v = 0; v < graph.K; ++v) {
    out.genus[v] = graph.genus[order[v]];
    out.marked_points[v] = graph.marked_points[order[v]];
    out.loops[v] = graph.loops[order[v]];
    for (int w = 0; w < graph.K; ++w) out.adjacency[v][w] = graph.adjacency[order[v]][order[w]];
  }
  return out;
}

bool same_decoration(const Graph& graph, int a, int b) {
  return graph.genus[a] == graph.genus[b] && graph.marked_points[a] == graph.marked_points[b] &&
         graph.loops[a] == graph.loops[b];
}

}  // namespace

// Every stream the tool writes passes, graph after graph.
TEST(CanonicalOrderCheck, TakesEveryRunOfTheTool) {
  for (int g = 0; g <= 4; ++g)
    for (int n = 0; 2 * g + n <= 9; ++n) {
      if (2 * g + n < 3) continue;
      CanonicalOrderCheck check;
      for (const Graph& graph : AllGraphs(g, n)) ASSERT_EQ("", check.Check(graph)) << Describe(graph);
    }
}

// A graph relabelled within a block of equal vertices is the same graph
// in another form, which the tool never writes.
TEST(CanonicalOrderCheck, RefusesEveryOtherFormOfAGraph) {
  int refused = 0;
  for (auto [g, n] : std::vector<std::pair<int, int>>{{3, 0}, {2, 2}, {0, 7}, {1, 4}}) {
    for (const Graph& graph : AllGraphs(g, n)) {
      for (int a = 0; a + 1 < graph.K; ++a) {
        if (!same_decoration(graph, a, a + 1)) continue;
        Graph other = swapped(graph, a, a + 1);
        if (other.SameDescription(graph)) continue;
        EXPECT_EQ("is not in the tool's form: a relabelling of its vertices gives a smaller adjacency matrix",
                  last_problem({other}))
            << Describe(other);
        ++refused;
      }
    }
  }
  EXPECT_GT(refused, 50);
}

TEST(CanonicalOrderCheck, RefusesUnsortedVertices) {
  for (const Graph& graph : AllGraphs(2, 2)) {
    for (int a = 0; a + 1 < graph.K; ++a) {
      if (same_decoration(graph, a, a + 1)) continue;
      EXPECT_EQ("is not in the tool's form: its vertices are not sorted by genus, marked points and loops",
                last_problem({swapped(graph, a, a + 1)}))
          << Describe(graph);
    }
  }
}

TEST(CanonicalOrderCheck, RefusesRepeatsAndGraphsOutOfOrder) {
  std::vector<Graph> graphs = AllGraphs(2, 2);
  size_t a = 0;
  while (a + 1 < graphs.size() &&
         (graphs[a].K != graphs[a + 1].K || graphs[a].codimension != graphs[a + 1].codimension))
    ++a;
  ASSERT_LT(a + 1, graphs.size()) << "two graphs in one section";
  EXPECT_EQ("", last_problem({graphs[a], graphs[a + 1]}));
  EXPECT_EQ("repeats the graph before it", last_problem({graphs[a], graphs[a]}));
  EXPECT_EQ("comes before the graph before it in the tool's order", last_problem({graphs[a + 1], graphs[a]}));
  // Another section starts afresh: the order within it is what counts.
  Graph one_vertex = graphs[0];
  EXPECT_EQ("", last_problem({graphs[a + 1], one_vertex}));
  // The labelled graphs of one graph share its description.
  Graph labelled = graphs[a];
  labelled.labelled = true;
  EXPECT_EQ("", last_problem({labelled, labelled}));
}

// Two graphs with the same Euler characteristic term have the same sum: a
// stream with one in place of the other passes -E, but not this check.
TEST(CanonicalOrderCheck, CatchesAGraphReplacedByOneOfTheSameTerm) {
  std::vector<Graph> graphs = AllGraphs(2, 2);
  std::map<std::pair<int, std::string>, size_t> first_of_term;
  bool found = false;
  for (size_t i = 0; i < graphs.size() && !found; ++i) {
    auto key = std::make_pair(graphs[i].codimension, EulerTerm(graphs[i]).get_str());
    auto [at, fresh] = first_of_term.emplace(key, i);
    if (fresh) continue;
    std::vector<Graph> replaced = graphs;
    replaced[i] = graphs[at->second];
    CanonicalOrderCheck check;
    std::string problem;
    for (const Graph& graph : replaced)
      if (problem.empty()) problem = check.Check(graph);
    EXPECT_NE("", problem) << "graph " << i << " replaced by graph " << at->second;
    found = true;
  }
  EXPECT_TRUE(found) << "(2, 2) has two graphs with one term";
}
