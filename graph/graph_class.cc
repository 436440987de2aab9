// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "graph/graph_class.h"

#include <string.h>

namespace {

/// Pairs of distinct vertices per edge multiplicity, up to g + 1.
void count_multiplicities(const Graph& graph, int8_t* counts) {
  for (int u = 0; u < graph.K; ++u)
    for (int v = u + 1; v < graph.K; ++v) {
      int m = graph.adjacency[u][v];
      if (m > 0 && m < kMultiplicitySlots) ++counts[m];
    }
}

}  // namespace

GraphClass::GraphClass(const Graph& graph) {
  copy_decorations(graph);
  count_multiplicities(graph, multiplicity_count);
}

GraphClass::GraphClass(const Graph& graph, const int8_t* multiplicity_count_) {
  copy_decorations(graph);
  memcpy(multiplicity_count, multiplicity_count_, g + 2);
}

// Zeroing first keeps the unused tails defined; they never take part in
// the ordering.
void GraphClass::copy_decorations(const Graph& graph) {
  memset(static_cast<void*>(this), 0, sizeof(*this));
  g = graph.g;
  n = graph.n;
  K = graph.K;
  memcpy(genus, graph.genus, K);
  memcpy(marked_points, graph.marked_points, K);
  memcpy(loops, graph.loops, K);
}

bool GraphClass::operator<(const GraphClass& other) const {
  if (K != other.K) return K > other.K;
  int c = memcmp(genus, other.genus, K);
  if (c != 0) return c < 0;
  c = memcmp(marked_points, other.marked_points, K);
  if (c != 0) return c < 0;
  c = memcmp(loops, other.loops, K);
  if (c != 0) return c < 0;
  return memcmp(multiplicity_count, other.multiplicity_count, g + 2) < 0;
}
