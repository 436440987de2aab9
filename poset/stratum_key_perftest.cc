// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
//
// Times the canonical keys of every contraction of every graph of a type,
// apart from the search that makes the graphs:
//
//   cmake --build build --target stratum_key_perftest
//   build/stratum_key_perftest 6 0
#include <stdio.h>
#include <stdlib.h>

#include <chrono>
#include <string>
#include <vector>

#include "computer/boundary_computer.h"
#include "graph/colour_refinement.h"
#include "poset/edge_contraction.h"
#include "poset/stratum_key.h"

namespace {

/// Keeps every graph of the run.
class Collector : public GraphPrinter {
 public:
  void BeginPrint() override {}
  void EndPrint() override {}
  void PrintSomeGraph(const GraphsByCodimension& graphs) override {
    for (auto& entry : graphs)
      for (const Graph* graph : entry.second) graphs_.push_back(*graph);
  }
  std::vector<Graph> graphs_;
};

double seconds_since(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

/// Contracts every edge class of every graph into one record, as the
/// printers do, and hands it to work; returns the seconds taken.
template <typename Work>
double each_contraction(const std::vector<Graph>& graphs, Work work) {
  Graph contracted(-1, -1, -1);
  auto start = std::chrono::steady_clock::now();
  for (const Graph& graph : graphs)
    for (int u = 0; u < graph.K; ++u)
      for (int v = u; v < graph.K; ++v)
        if ((u == v ? graph.loops[u] : graph.adjacency[u][v]) != 0) {
          ContractEdge(graph, u, v, contracted);
          work(contracted);
        }
  return seconds_since(start);
}

}  // namespace

int main(int argc, char** argv) {
  int g = argc > 1 ? atoi(argv[1]) : 5, n = argc > 2 ? atoi(argv[2]) : 0;
  Collector collector;
  BoundaryComputer computer(g, n);
  computer.Compute(collector, StatisticsNone);
  long contractions = 0, discrete = 0;
  size_t bytes = 0;
  double alone = each_contraction(collector.graphs_, [&](const Graph&) { ++contractions; });
  double refined = each_contraction(collector.graphs_, [&](const Graph& graph) {
    uint64_t colour[kMaxComponents];
    for (int v = 0; v < graph.K; ++v)
      colour[v] = static_cast<uint64_t>(graph.genus[v]) << 16 | static_cast<uint64_t>(graph.marked_points[v]) << 8 |
                  static_cast<uint64_t>(graph.loops[v]);
    discrete += RefineColours(graph, colour) == graph.K;
  });
  double keyed = each_contraction(collector.graphs_, [&](const Graph& graph) { bytes += StratumKey(graph).size(); });
  auto each = [contractions](double seconds) { return 1e9 * seconds / static_cast<double>(contractions); };
  printf("(%d, %d): %ld contractions (%ld discrete by refinement), ns each: contraction %.0f, with refinement %.0f, "
         "with key %.0f (%zu bytes of keys)\n",
         g, n, contractions, discrete, each(alone), each(refined), each(keyed), bytes);
  return 0;
}
