// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_GRAPH_CANONICAL_FORM_H_
#define STABLE_GRAPHS_GRAPH_CANONICAL_FORM_H_

#include <stdint.h>

#include "graph/graph.h"

/// The canonical form of a graph, with what nauty found besides: two graphs
/// are isomorphic (by a vertex permutation keeping genera, marked points,
/// loops and edge multiplicities) exactly when their forms have the same
/// rows.
struct CanonicalForm {
  /// Vertices of the coloured graph: K plus one per pair joined by two or
  /// more edges.
  int32_t vertices;
  /// The canonical coloured graph, one 32-bit setword per row.
  uint32_t rows[kMaxColoredVertices];
  /// orbits[v], for v < K, is the least vertex of v's orbit under the
  /// graph's vertex automorphisms.
  int8_t orbits[kMaxColoredVertices];
  /// The group's order, group_size times 10^group_exponent (exact while
  /// the exponent is 0).
  double group_size;
  int32_t group_exponent;

  /// True when both forms are of isomorphic graphs.
  bool SameGraph(const CanonicalForm& other) const;
};

/// Computes the canonical form of `graph`; throws std::length_error when
/// its coloured graph would not fit nauty's 32 vertices.
void ComputeCanonicalForm(const Graph& graph, CanonicalForm* form);

/// A graph's canonical form, computed when first asked for and kept until
/// the graph's description changes.
class CanonicalFormCache {
 public:
  /// The form of `graph`, computed now unless it is cached.
  const CanonicalForm& Of(const Graph& graph) {
    if (!valid_) {
      ComputeCanonicalForm(graph, &form_);
      valid_ = true;
    }
    return form_;
  }
  /// The cached form, or nullptr when none is.
  const CanonicalForm* IfComputed() const { return valid_ ? &form_ : nullptr; }
  /// Forgets the form: the description it belongs to has changed.
  void Invalidate() { valid_ = false; }

 private:
  CanonicalForm form_;
  bool valid_ = false;
};

#endif  // STABLE_GRAPHS_GRAPH_CANONICAL_FORM_H_
