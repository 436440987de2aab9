// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "testing/every_adjacency.h"

#include <algorithm>
#include <utility>

#include "graph/tool_order.h"

std::vector<PartialGraph> EveryAdjacency(const Graph& decoration, int max_multiplicity) {
  const int K = decoration.K;
  std::vector<std::pair<int, int>> pairs;
  for (int i = 0; i < K; ++i)
    for (int j = i + 1; j < K; ++j) pairs.emplace_back(i, j);
  PartialGraph graph(decoration);
  for (const auto& [i, j] : pairs) graph.adjacency[i][j] = graph.adjacency[j][i] = 0;
  std::vector<PartialGraph> out;
  // An odometer whose last digit is the last pair of the triangle.
  for (;;) {
    for (int m = 0; m < kMultiplicitySlots; ++m) graph.multiplicity_count[m] = 0;
    int edges = 0;
    for (const auto& [i, j] : pairs) {
      int x = graph.adjacency[i][j];
      edges += x;
      if (x > 0) ++graph.multiplicity_count[x];
    }
    graph.codimension = static_cast<int8_t>(edges);
    out.push_back(graph);
    size_t digit = pairs.size();
    while (digit > 0) {
      auto [i, j] = pairs[digit - 1];
      if (graph.adjacency[i][j] < max_multiplicity) {
        graph.adjacency[i][j] = graph.adjacency[j][i] = static_cast<int8_t>(graph.adjacency[i][j] + 1);
        break;
      }
      graph.adjacency[i][j] = graph.adjacency[j][i] = 0;
      --digit;
    }
    if (digit == 0) return out;
  }
}

std::vector<std::vector<int>> BlockPermutations(const Graph& graph) {
  std::vector<std::pair<int, int>> blocks;
  for (int start = 0, end; start < graph.K; start = end) {
    for (end = start + 1; end < graph.K && CompareDecorations(graph, start, graph, end) == 0;) ++end;
    blocks.emplace_back(start, end);
  }
  std::vector<int> order(graph.K);
  for (int v = 0; v < graph.K; ++v) order[v] = v;
  std::vector<std::vector<int>> out{order};
  for (size_t b = 0; b < blocks.size();) {
    if (!std::next_permutation(order.begin() + blocks[b].first, order.begin() + blocks[b].second)) {
      ++b;
      continue;
    }
    b = 0;
    out.push_back(order);
  }
  return out;
}

int CompareRelabelled(const Graph& graph, const std::vector<int>& order) {
  for (int i = 0; i < graph.K; ++i)
    for (int j = i + 1; j < graph.K; ++j) {
      int moved = graph.adjacency[order[i]][order[j]], own = graph.adjacency[i][j];
      if (moved != own) return moved < own ? -1 : 1;
    }
  return 0;
}

bool IsLeastByBruteForce(const Graph& graph) {
  for (const std::vector<int>& order : BlockPermutations(graph))
    if (CompareRelabelled(graph, order) < 0) return false;
  return true;
}

bool SameClassByBruteForce(const Graph& a, const Graph& b) {
  for (const std::vector<int>& order : BlockPermutations(a)) {
    bool same = true;
    for (int i = 0; i < a.K && same; ++i)
      for (int j = i + 1; j < a.K && same; ++j) same = a.adjacency[order[i]][order[j]] == b.adjacency[i][j];
    if (same) return true;
  }
  return false;
}
