// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_GRAPH_GRAPH_CLASS_H_
#define STABLE_GRAPHS_GRAPH_GRAPH_CLASS_H_

#include <stdint.h>

#include "graph/graph.h"

/// Isomorphism-invariant key of a Graph: component count, the sorted
/// decorations and the pair count per multiplicity.  Isomorphic complete
/// records always have equal keys.
class GraphClass {
 public:
  /// Copies the invariants of a record whose vertices are sorted.
  explicit GraphClass(const Graph& graph);
  /// Strict weak ordering: more components first, then the decorations and
  /// the multiplicity histogram as unsigned byte strings.
  bool operator<(const GraphClass& other) const;

  int32_t g;
  int32_t n;
  int32_t K;
  int8_t genus[kMaxComponents];
  int8_t marked_points[kMaxComponents];
  int8_t loops[kMaxComponents];
  int8_t multiplicity_count[kMultiplicitySlots];
};

#endif  // STABLE_GRAPHS_GRAPH_GRAPH_CLASS_H_
