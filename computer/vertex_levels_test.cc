// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
//
// The moduli types restrict the search itself; these tests hold the
// restricted runs against an independent brute force and against the full
// run filtered afterwards.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "computer/boundary_computer.h"
#include "moduli/moduli_type.h"
#include "graph/graph_printer.h"
#include "testing/brute_force_graphs.h"
#include "testing/test_support.h"

namespace {

const ModuliType kAllTypes[] = {ModuliType::kStable, ModuliType::kCompactType, ModuliType::kRationalTails,
                                ModuliType::kTreeLike, ModuliType::kSmooth};

/// A run of type (g, n) restricted to `moduli`, with the labelled counts.
struct SearchRun {
  std::vector<Graph> graphs;
  Counts per_codimension, tried, unconnected;
  std::vector<mpz_class> labelled_per_codimension;
};

SearchRun run(int g, int n, ModuliType moduli, std::optional<int> edges = std::nullopt) {
  SearchSettings settings;
  settings.moduli_type = moduli;
  settings.count_labelled = true;
  settings.codimension = edges;
  BoundaryComputer computer(g, n, settings);
  CollectingPrinter printer;
  computer.Compute(printer, StatisticsNone);
  const SearchCounters& counters = computer.counters();
  return SearchRun{printer.seen, counters.found_per_codimension, counters.tried, counters.unconnected,
                   counters.labelled_per_codimension};
}

std::string name(int g, int n, ModuliType moduli) {
  return "(" + std::to_string(g) + ", " + std::to_string(n) + ") -M " + ModuliTypeName(moduli);
}

bool same_description(const Graph& a, const Graph& b) {
  return a.K == b.K && a.codimension == b.codimension && a.SameDescription(b);
}

TEST(ModuliSearch, CountsMatchABruteForce) {
  for (auto [g, n] : StableTypesUpTo(9)) {
    std::vector<BruteForceGraph> all = BruteForceStableGraphs(g, n);
    for (ModuliType moduli : kAllTypes) {
      BruteForceCounts want = BruteForceCountsByCodimension(all, g, n, moduli);
      SearchRun got = run(g, n, moduli);
      std::vector<long long> found(got.per_codimension.begin(), got.per_codimension.end());
      EXPECT_EQ(want.graphs, found) << name(g, n, moduli);
      EXPECT_EQ(want.labelled, got.labelled_per_codimension) << name(g, n, moduli) << " labelled";
    }
  }
}

// The restricted search must find exactly the graphs of the full search
// that are of its type, in the same order: that is what makes the output
// of -M equal to the converter's filter of a full run.
TEST(ModuliSearch, FindsTheFullRunsGraphsOfItsTypeInOrder) {
  for (auto [g, n] : StableTypesUpTo(10)) {
    SearchRun full = run(g, n, ModuliType::kStable);
    for (ModuliType moduli : kAllTypes) {
      std::vector<Graph> want;
      for (const Graph& graph : full.graphs)
        if (IsOfModuliType(graph, moduli)) want.push_back(graph);
      SearchRun got = run(g, n, moduli);
      ASSERT_EQ(want.size(), got.graphs.size()) << name(g, n, moduli);
      for (size_t k = 0; k < want.size(); ++k)
        EXPECT_TRUE(same_description(want[k], got.graphs[k])) << name(g, n, moduli) << " graph " << k;
    }
  }
}

TEST(ModuliSearch, GenusZeroTreesAreEveryGraph) {
  for (int n = 3; n <= 10; ++n) {
    SearchRun full = run(0, n, ModuliType::kStable);
    for (ModuliType moduli : {ModuliType::kCompactType, ModuliType::kRationalTails, ModuliType::kTreeLike}) {
      SearchRun got = run(0, n, moduli);
      EXPECT_EQ(full.per_codimension, got.per_codimension) << name(0, n, moduli);
      EXPECT_EQ(full.labelled_per_codimension, got.labelled_per_codimension) << name(0, n, moduli);
    }
  }
}

TEST(ModuliSearch, SmoothLocusIsTheOneVertexWithoutLoops) {
  for (auto [g, n] : StableTypesUpTo(11)) {
    SearchRun got = run(g, n, ModuliType::kSmooth);
    ASSERT_EQ(1u, got.graphs.size()) << name(g, n, ModuliType::kSmooth);
    const Graph& graph = got.graphs[0];
    EXPECT_EQ(1, graph.K);
    EXPECT_EQ(g, graph.genus[0]);
    EXPECT_EQ(n, graph.marked_points[0]);
    EXPECT_EQ(0, graph.loops[0]);
    // Nothing is tried beyond the one vertex.
    for (size_t K = 2; K < got.tried.size(); ++K) EXPECT_EQ(0, got.tried[K]) << K;
  }
}

// The edge level of the tree types closes no cycle, so every candidate it
// completes is connected; and they try fewer candidates than the full run
// wherever they leave graphs out (every graph of genus 0 is a tree, every
// graph of genus 1 tree-like or a cycle).
TEST(ModuliSearch, TreeTypesTryOnlyTrees) {
  for (auto [g, n] : StableTypesUpTo(10)) {
    SearchRun full = run(g, n, ModuliType::kStable);
    for (ModuliType moduli : {ModuliType::kCompactType, ModuliType::kRationalTails, ModuliType::kTreeLike}) {
      SearchRun got = run(g, n, moduli);
      long long tried = 0, full_tried = 0;
      for (size_t K = 0; K < got.tried.size(); ++K) {
        EXPECT_EQ(0, got.unconnected[K]) << name(g, n, moduli) << " K = " << K;
        tried += got.tried[K];
        full_tried += full.tried[K];
      }
      bool leaves_out = moduli == ModuliType::kTreeLike ? g > 1 || (g == 1 && n > 1) : g > 0;
      if (leaves_out) {
        EXPECT_LT(tried, full_tried) << name(g, n, moduli);
      }
    }
  }
}

TEST(ModuliSearch, EdgeFilterKeepsOneCodimension) {
  SearchRun all = run(3, 2, ModuliType::kCompactType);
  for (int c = 0; c <= 7; ++c) {
    SearchRun got = run(3, 2, ModuliType::kCompactType, c);
    size_t expected = 0;
    for (const Graph& graph : all.graphs) expected += graph.codimension == c ? 1 : 0;
    EXPECT_EQ(expected, got.graphs.size()) << c;
    for (const Graph& graph : got.graphs) EXPECT_EQ(c, graph.codimension);
  }
}

}  // namespace
