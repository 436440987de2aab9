// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "graph/vertex_symmetry.h"

#include <math.h>

#include <stdexcept>
#include <string>

namespace {

/// The graph itself, once its size is known to be one nauty takes.
const Graph& checked(const Graph& graph) {
  if (graph.K < 1 || graph.K > kMaxColoredVertices)
    throw std::length_error("a graph of " + std::to_string(graph.K) + " vertices has no symmetry group here");
  return graph;
}

}  // namespace

VertexSymmetry::VertexSymmetry(const Graph& graph) : nauty_(checked(graph)), K_(graph.K) {}

void VertexSymmetry::Fix(uint64_t fixed) {
  nauty_.Orbits(fixed, orbit_, &group_size_, &group_exponent_);
  moved_vertices_ = 0;
  for (int v = 0; v < K_; ++v) orbit_size_[v] = 0;
  for (int v = 0; v < K_; ++v) ++orbit_size_[orbit_[v]];
  for (int v = 0; v < K_; ++v)
    if (orbit_size_[orbit_[v]] > 1) ++moved_vertices_;
}

// nauty's order is exact while its mantissa has not been scaled down
// (below 10^10, a product of small integers); beyond that the order is
// built up along a chain of stabilisers, by the orbit-stabiliser theorem.
mpz_class VertexSymmetry::Order(uint64_t fixed) {
  mpz_class order = 1;
  for (;;) {
    Fix(fixed);
    if (group_exponent_ == 0) return order * static_cast<unsigned long>(llround(group_size_));
    int moved = 0;
    while (orbit_size(moved) == 1) ++moved;  // the group is not trivial
    order *= orbit_size(moved);
    fixed |= uint64_t{1} << moved;
  }
}
