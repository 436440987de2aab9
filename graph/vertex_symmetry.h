// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_GRAPH_VERTEX_SYMMETRY_H_
#define STABLE_GRAPHS_GRAPH_VERTEX_SYMMETRY_H_

#include <stdint.h>

#include <gmpxx.h>

#include "graph/graph.h"
#include "graph/nauty_graph.h"

/// The group A of vertex permutations of a graph that keep every vertex's
/// genus, marked points and loops and every edge multiplicity, and its
/// subgroups fixing chosen vertices, computed by nauty.
///
/// The vertices are coloured by their decoration in whatever order they
/// come, so graphs read from a stream need not be sorted.
class VertexSymmetry {
 public:
  /// Builds nauty's graph once; throws std::length_error when it would not
  /// fit nauty's 32 vertices.
  explicit VertexSymmetry(const Graph& graph);

  /// Computes the subgroup fixing every vertex v whose bit (1 << v) is set
  /// in `fixed`; afterwards orbit() and orbit_size() describe it.
  void Fix(uint64_t fixed);
  /// The least vertex of v's orbit under the subgroup of the last Fix.
  int orbit(int v) const { return orbit_[v]; }
  /// The number of vertices in v's orbit under that subgroup.
  int orbit_size(int v) const { return orbit_size_[orbit_[v]]; }
  /// True when that subgroup fixes every vertex of the graph.
  bool fixes_every_vertex() const { return moved_vertices_ == 0; }

  /// The exact order of the subgroup fixing the vertices in `fixed`.
  mpz_class Order(uint64_t fixed);

 private:
  NautyGraph nauty_;
  int K_;
  int orbit_[kMaxColoredVertices];
  int orbit_size_[kMaxColoredVertices];
  int moved_vertices_ = 0;
  // nauty's group order of the last Fix: group_size_ * 10^group_exponent_.
  double group_size_ = 1;
  int group_exponent_ = 0;
};

#endif  // STABLE_GRAPHS_GRAPH_VERTEX_SYMMETRY_H_
