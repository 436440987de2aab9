// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "homology/cell_edges.h"

#include <stdexcept>
#include <utility>

bool HasParallelEdges(const Graph& graph) {
  for (int u = 0; u < graph.K; ++u) {
    if (graph.loops[u] >= 2) return true;
    for (int v = u + 1; v < graph.K; ++v)
      if (graph.adjacency[u][v] >= 2) return true;
  }
  return false;
}

CellEdges EdgesInOrder(const Graph& graph) {
  CellEdges edges;
  for (int u = 0; u < graph.K; ++u) {
    for (int v = u; v < graph.K; ++v) {
      int count = u == v ? graph.loops[u] : graph.adjacency[u][v];
      if (count == 0) continue;
      if (count > 1) throw std::logic_error("a cell's graph has parallel edges");
      if (edges.count == kMaxCellEdges) throw std::length_error("a cell's graph has too many edges");
      edges.ends[edges.count++] = {static_cast<int8_t>(u), static_cast<int8_t>(v)};
    }
  }
  return edges;
}

// The parity of a permutation is that of its inversions; a cell has a few
// dozen edges at most, so counting them pair by pair is cheap.
int OrientationSign(const CellEdges& edges, const int* order, int K) {
  int place[kMaxComponents];
  for (int i = 0; i < K; ++i) place[order[i]] = i;
  int rank[kMaxCellEdges];
  for (int e = 0; e < edges.count; ++e) {
    int a = place[edges.ends[e].u], b = place[edges.ends[e].v];
    if (a > b) std::swap(a, b);
    rank[e] = a * kMaxComponents + b;
  }
  int inversions = 0;
  for (int e = 0; e < edges.count; ++e)
    for (int f = e + 1; f < edges.count; ++f)
      if (rank[e] > rank[f]) ++inversions;
  return inversions % 2 == 0 ? 1 : -1;
}
