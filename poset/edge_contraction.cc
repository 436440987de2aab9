// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "poset/edge_contraction.h"

#include <string.h>

#include <utility>

namespace {

void copy_labels(const Graph& graph, Graph& contracted) {
  contracted.labelled = graph.labelled;
  if (graph.labelled) memcpy(contracted.vertex_of_label, graph.vertex_of_label, graph.n < kMaxLabels ? graph.n : kMaxLabels);
}

void contract_loop(const Graph& graph, int v, Graph& contracted) {
  const int K = graph.K;
  contracted.K = K;
  memcpy(contracted.genus, graph.genus, K);
  memcpy(contracted.marked_points, graph.marked_points, K);
  memcpy(contracted.loops, graph.loops, K);
  for (int row = 0; row < K; ++row) memcpy(contracted.adjacency[row], graph.adjacency[row], K);
  ++contracted.genus[v];
  --contracted.loops[v];
  contracted.adjacency[v][v] = contracted.loops[v];
  copy_labels(graph, contracted);
}

/// Merges v into u < v.
void contract_pair(const Graph& graph, int u, int v, Graph& contracted) {
  const int K = graph.K;
  // The place of each old vertex in the contracted graph.
  int place[kMaxComponents];
  for (int x = 0; x < K; ++x) place[x] = x == v ? u : (x < v ? x : x - 1);
  contracted.K = K - 1;
  for (int x = 0; x < K; ++x) {
    if (x == v) continue;
    int y = place[x];
    contracted.genus[y] = graph.genus[x];
    contracted.marked_points[y] = graph.marked_points[x];
    contracted.SetLoops(y, graph.loops[x]);
    for (int z = 0; z < K; ++z)
      if (z != v) contracted.adjacency[y][place[z]] = graph.adjacency[x][z];
  }
  contracted.genus[u] = static_cast<int8_t>(graph.genus[u] + graph.genus[v]);
  contracted.marked_points[u] = static_cast<int8_t>(graph.marked_points[u] + graph.marked_points[v]);
  contracted.SetLoops(u, graph.loops[u] + graph.loops[v] + graph.adjacency[u][v] - 1);
  for (int z = 0; z < K; ++z) {
    if (z == u || z == v) continue;
    int8_t joined = static_cast<int8_t>(graph.adjacency[u][z] + graph.adjacency[v][z]);
    contracted.adjacency[u][place[z]] = contracted.adjacency[place[z]][u] = joined;
  }
  copy_labels(graph, contracted);
  if (graph.labelled)
    for (int l = 0; l < graph.n && l < kMaxLabels; ++l)
      contracted.vertex_of_label[l] = static_cast<int8_t>(place[graph.vertex_of_label[l]]);
}

}  // namespace

void ContractEdge(const Graph& graph, int u, int v, Graph& contracted) {
  if (u > v) std::swap(u, v);
  contracted.g = graph.g;
  contracted.n = graph.n;
  contracted.codimension = static_cast<int8_t>(graph.codimension - 1);
  if (u == v)
    contract_loop(graph, u, contracted);
  else
    contract_pair(graph, u, v, contracted);
}
