// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "graph/tool_order.h"

namespace {

/// The first difference of two vectors of K entries, as a - b.
int compare_vectors(const int8_t* a, const int8_t* b, int K) {
  for (int v = 0; v < K; ++v)
    if (a[v] != b[v]) return a[v] - b[v];
  return 0;
}

}  // namespace

int CompareDecorations(const Graph& a, int u, const Graph& b, int v) {
  if (a.genus[u] != b.genus[v]) return a.genus[u] - b.genus[v];
  if (a.marked_points[u] != b.marked_points[v]) return a.marked_points[u] - b.marked_points[v];
  return a.loops[u] - b.loops[v];
}

bool SortedByDecoration(const Graph& graph) {
  for (int v = 1; v < graph.K; ++v)
    if (CompareDecorations(graph, v - 1, graph, v) > 0) return false;
  return true;
}

int CompareInToolOrder(const Graph& a, const Graph& b) {
  if (a.K != b.K) return a.K - b.K;
  if (a.codimension != b.codimension) return a.codimension - b.codimension;
  const int K = a.K;
  int order = compare_vectors(a.genus, b.genus, K);
  if (order == 0) order = compare_vectors(a.marked_points, b.marked_points, K);
  if (order == 0) order = compare_vectors(a.loops, b.loops, K);
  for (int u = 0; order == 0 && u + 1 < K; ++u)
    order = compare_vectors(a.adjacency[u] + u + 1, b.adjacency[u] + u + 1, K - u - 1);
  return order;
}
