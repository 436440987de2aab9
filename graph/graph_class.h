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
  /// Takes the invariants of a record whose vertices are sorted.
  explicit GraphClass(const Graph& graph);
  /// The same, with the record's pairs per multiplicity (entries 0 .. g+1)
  /// already counted, as the generator keeps them.
  GraphClass(const Graph& graph, const int8_t* multiplicity_count);
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

 private:
  void copy_decorations(const Graph& graph);
};

#endif  // STABLE_GRAPHS_GRAPH_GRAPH_CLASS_H_
