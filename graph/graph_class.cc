// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "graph/graph_class.h"

#include <string.h>

GraphClass::GraphClass(const Graph& graph) {
  // Zeroing first keeps the unused tails defined; they never take part in
  // the ordering.
  memset(static_cast<void*>(this), 0, sizeof(*this));
  g = graph.g;
  n = graph.n;
  K = graph.K;
  memcpy(genus, graph.genus, K);
  memcpy(marked_points, graph.marked_points, K);
  memcpy(loops, graph.loops, K);
  memcpy(multiplicity_count, graph.multiplicity_count, g + 2);
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
