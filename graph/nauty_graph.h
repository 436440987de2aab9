// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_GRAPH_NAUTY_GRAPH_H_
#define STABLE_GRAPHS_GRAPH_NAUTY_GRAPH_H_

#include <stdint.h>

#include <functional>

#include <gmpxx.h>

#include "graph/canonical_form.h"
#include "graph/graph.h"

/// A multigraph with coloured vertices as nauty sees it: a simple graph on
/// its vertices plus one extra vertex on each pair joined by two or more
/// edges, on the path between the two and coloured by the multiplicity.
/// Every call into nauty goes through this class.
///
/// nauty's partition puts the vertices by ascending colour (a cell per
/// colour), then the extra vertices by ascending multiplicity (a cell per
/// multiplicity, in row-by-row order of their pairs).
class NautyGraph {
 public:
  /// The vertices of `graph` coloured by their decoration; throws
  /// std::length_error when it needs more than 32 coloured vertices.
  explicit NautyGraph(const Graph& graph);
  /// `size` vertices with the given colours, joined by
  /// multiplicity[u][v] edges (the diagonal is ignored); the same error.
  NautyGraph(int size, const uint64_t* colour, const int8_t (*multiplicity)[kMaxComponents]);

  /// The canonical form, orbits and group order (see CanonicalForm).
  void Canonicalize(CanonicalForm* form) const;
  /// The orbits of the automorphisms that fix every vertex v whose bit
  /// (1 << v) is set in `fixed`: orbits[v] the least vertex of v's orbit,
  /// for v < size; and nauty's order of that group, *group_size times
  /// 10^*group_exponent.
  void Orbits(uint64_t fixed, int* orbits, double* group_size, int* group_exponent) const;
  /// The exact order of the automorphism group, as the product of the
  /// orbit sizes along nauty's first path (its double is exact only up to
  /// 2^53).
  mpz_class ExactOrder() const;

  /// The vertices in the order of nauty's canonical labelling: order[i],
  /// for i < size(), is the vertex put in place i.  Isomorphic multigraphs
  /// with corresponding colours give corresponding orders.
  void CanonicalOrder(int* order) const;
  /// Calls `test` with each generator nauty finds of the automorphism group
  /// (a permutation of every coloured vertex, the extra ones included)
  /// until one call returns true; returns whether one did.
  bool AnyGenerator(const std::function<bool(const int* permutation)>& test) const;

  /// The number of vertices of the multigraph.
  int size() const { return size_; }

 private:
  struct Call;

  void add_edges(const int8_t (*multiplicity)[kMaxComponents]);
  void run(Call* call) const;
  int partition(uint64_t fixed, int* lab, int* ptn) const;
  uint32_t* graph_rows() const;

  int size_;
  int vertices_;  // size_ plus the extra vertices
  uint32_t rows_[kMaxColoredVertices] = {};
  uint64_t colour_[kMaxColoredVertices];  // of the size_ vertices
  int multiplicity_[kMaxColoredVertices];  // of each extra vertex
};

#endif  // STABLE_GRAPHS_GRAPH_NAUTY_GRAPH_H_
