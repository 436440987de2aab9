// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
//
// A search within bounds must make exactly the graphs within them of the
// unbounded search, in the same order: the bounds only cut branches, and
// every search kind's test of repeats still holds, since a relabelling of
// a graph within the bounds is within them too.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "computer/boundary_computer.h"
#include "moduli/graph_bounds.h"
#include "poset/stratum_key.h"

namespace {

/// The keys of the graphs a run hands over, in order, those outside
/// `keep` left out.
class KeyPrinter : public GraphPrinter {
 public:
  explicit KeyPrinter(const GraphBounds& keep) : keep_(keep) {}
  void BeginPrint() override {}
  void PrintSomeGraph(const GraphsByCodimension& graphs) override {
    ForEachGraphToPrint(graphs, std::nullopt, [this](const Graph& graph) {
      if (IsWithinBounds(graph, keep_)) keys.push_back(StratumKey(graph));
    });
  }
  void EndPrint() override {}
  std::vector<std::string> keys;

 private:
  GraphBounds keep_;
};

std::vector<std::string> keys_of(int g, int n, SearchKind search, const GraphBounds& bounds, const GraphBounds& keep) {
  KeyPrinter printer(keep);
  SearchSettings settings;
  settings.search = search;
  settings.bounds = bounds;
  BoundaryComputer computer(g, n, settings);
  computer.Compute(printer, StatisticsNone);
  return printer.keys;
}

TEST(BoundedSearch, MakesExactlyTheGraphsWithinItsBounds) {
  GraphBounds simple;
  simple.max_multiplicity = 1;
  simple.max_loops = 1;
  GraphBounds rational = simple;
  rational.max_loops = 0;
  rational.rational_vertices = true;
  GraphBounds doubled;
  doubled.max_multiplicity = 2;
  for (int g = 0; g <= 4; ++g) {
    for (int n = 0; 2 * g + n <= 9; ++n) {
      if (2 * g - 2 + n <= 0) continue;
      for (const GraphBounds& bounds : {simple, rational, doubled}) {
        std::vector<std::string> want = keys_of(g, n, SearchKind::kStored, GraphBounds(), bounds);
        for (SearchKind search : {SearchKind::kStored, SearchKind::kOrderly, SearchKind::kPruned})
          EXPECT_EQ(want, keys_of(g, n, search, bounds, GraphBounds()))
              << "(" << g << ", " << n << ") search " << static_cast<int>(search);
      }
    }
  }
}

}  // namespace
