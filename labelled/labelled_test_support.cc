// Copyright 2026 The stable-graphs Authors.
//
// Brute-force references for the labelled tests: they try every vertex
// permutation and every word, sharing no code with the search they check.
#include "labelled/labelled_test_support.h"

#include <string.h>

#include <algorithm>
#include <numeric>
#include <set>

#include "computer/boundary_computer.h"

namespace {

/// Keeps a copy of every graph it is handed.
class CollectingPrinter : public GraphPrinter {
 public:
  void BeginPrint() override {}
  void PrintSomeGraph(GraphsByCodimension& graphs) override {
    for (auto& entry : graphs)
      for (Graph* graph : entry.second) graphs_.push_back(*graph);
  }
  void EndPrint() override {}
  std::vector<Graph> graphs_;
};

}  // namespace

std::vector<Graph> AllGraphs(int g, int n) {
  BoundaryComputer computer(g, n);
  CollectingPrinter printer;
  computer.Compute(printer, StatisticsNone);
  return printer.graphs_;
}

Graph MakeGraph(const std::vector<int>& genus, const std::vector<int>& marks, const std::vector<int>& loops,
                const std::vector<int>& pairs) {
  int K = static_cast<int>(genus.size());
  Graph graph(0, 0, K);
  graph.Clear(static_cast<int8_t>(K));
  memset(graph.multiplicity_count, 0, sizeof(graph.multiplicity_count));
  int g = 1 - K, n = 0, edges = 0;
  for (int i = 0; i < K; ++i) {
    graph.genus[i] = static_cast<int8_t>(genus[i]);
    graph.marked_points[i] = static_cast<int8_t>(marks[i]);
    graph.loops[i] = graph.adjacency[i][i] = static_cast<int8_t>(loops[i]);
    g += genus[i] + loops[i];
    n += marks[i];
    edges += loops[i];
  }
  size_t p = 0;
  for (int i = 0; i < K; ++i) {
    for (int k = i + 1; k < K; ++k, ++p) {
      int m = p < pairs.size() ? pairs[p] : 0;
      graph.adjacency[i][k] = graph.adjacency[k][i] = static_cast<int8_t>(m);
      g += m;
      edges += m;
      if (m > 0 && m < kMultiplicitySlots) ++graph.multiplicity_count[m];
    }
  }
  graph.g = g;
  graph.n = n;
  graph.codimension = static_cast<int8_t>(edges);
  return graph;
}

std::vector<std::vector<int>> BruteForceAutomorphisms(const Graph& graph) {
  std::vector<int> permutation(graph.K);
  std::iota(permutation.begin(), permutation.end(), 0);
  std::vector<std::vector<int>> group;
  do {
    bool keeps = true;
    for (int u = 0; u < graph.K && keeps; ++u) {
      int image = permutation[u];
      keeps = graph.genus[u] == graph.genus[image] && graph.marked_points[u] == graph.marked_points[image];
      for (int v = 0; v < graph.K && keeps; ++v) keeps = graph.adjacency[u][v] == graph.adjacency[image][permutation[v]];
    }
    if (keeps) group.push_back(permutation);
  } while (std::next_permutation(permutation.begin(), permutation.end()));
  return group;
}

std::vector<std::vector<int>> BruteForceCanonicalWords(const Graph& graph) {
  std::vector<std::vector<int>> group = BruteForceAutomorphisms(graph);
  std::vector<int> word;
  for (int v = 0; v < graph.K; ++v) word.insert(word.end(), graph.marked_points[v], v);
  std::set<std::vector<int>> least;
  do {
    std::vector<int> best = word;
    for (const std::vector<int>& permutation : group) {
      std::vector<int> image(word.size());
      for (size_t i = 0; i < word.size(); ++i) image[i] = permutation[word[i]];
      best = std::min(best, image);
    }
    least.insert(best);
  } while (std::next_permutation(word.begin(), word.end()));
  return std::vector<std::vector<int>>(least.begin(), least.end());
}

std::string Describe(const Graph& graph) {
  std::string text = "K=" + std::to_string(graph.K);
  for (int v = 0; v < graph.K; ++v)
    text += " (" + std::to_string(graph.genus[v]) + "," + std::to_string(graph.marked_points[v]) + "," +
            std::to_string(graph.loops[v]) + ")";
  text += " pairs";
  for (int i = 0; i < graph.K; ++i)
    for (int j = i + 1; j < graph.K; ++j) text += " " + std::to_string(graph.adjacency[i][j]);
  return text;
}
