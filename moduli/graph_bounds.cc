// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "moduli/graph_bounds.h"

bool IsWithinBounds(const Graph& graph, const GraphBounds& bounds) {
  for (int u = 0; u < graph.K; ++u) {
    if (bounds.rational_vertices && graph.genus[u] != 0) return false;
    if (bounds.max_loops && graph.loops[u] > *bounds.max_loops) return false;
    if (!bounds.max_multiplicity) continue;
    for (int v = u + 1; v < graph.K; ++v)
      if (graph.adjacency[u][v] > *bounds.max_multiplicity) return false;
  }
  return true;
}
