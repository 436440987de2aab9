// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "labelled/labelled_count.h"

#include <math.h>

#include <memory>

#include "graph/automorphism_order.h"
#include "graph/colour_refinement.h"
#include "graph/factorial.h"
#include "graph/vertex_symmetry.h"

namespace {

/// n! / prod n_v!, the number of ways to hand out the labels, for n <= 20.
uint64_t small_multinomial(const Graph& graph) {
  uint64_t denominator = 1;
  for (int v = 0; v < graph.K; ++v) denominator *= SmallFactorial(graph.marked_points[v]);
  return SmallFactorial(graph.n) / denominator;
}

mpz_class multinomial(const Graph& graph) {
  mpz_class denominator = 1;
  for (int v = 0; v < graph.K; ++v) denominator *= Factorial(graph.marked_points[v]);
  return Factorial(graph.n) / denominator;
}

uint64_t vertex_bit(int v) { return uint64_t{1} << v; }

uint64_t point_vertices(const Graph& graph) {
  uint64_t mask = 0;
  for (int v = 0; v < graph.K; ++v)
    if (graph.marked_points[v] > 0) mask |= vertex_bit(v);
  return mask;
}

/// True when the vertices come sorted by (genus, marked points, loops), as
/// the generator keeps them, so that the orbits nauty reported with the
/// canonical form are those of A.
bool sorted_by_decoration(const Graph& graph) {
  uint64_t previous = DecorationColour(graph, 0);
  for (int v = 1; v < graph.K; ++v) {
    uint64_t current = DecorationColour(graph, v);
    if (current < previous) return false;
    previous = current;
  }
  return true;
}

/// The form when the search's call of nauty already told A's orbits, else
/// nullptr.
const CanonicalForm* usable(const Graph& graph, const CanonicalForm* form) {
  return form != nullptr && sorted_by_decoration(graph) ? form : nullptr;
}

/// True when A fixes every vertex that carries points.
bool points_fixed(const Graph& graph, const CanonicalForm* form) {
  if (form == nullptr) return PointVerticesObviouslyFixed(graph);
  // The orbits (by their least vertex) met more than once.
  uint64_t seen = 0, repeated = 0;
  for (int v = 0; v < graph.K; ++v) {
    uint64_t orbit = vertex_bit(form->orbits[v]);
    repeated |= seen & orbit;
    seen |= orbit;
  }
  for (int v = 0; v < graph.K; ++v)
    if (graph.marked_points[v] > 0 && (repeated & vertex_bit(form->orbits[v]))) return false;
  return true;
}

/// |A| / |A_fix| for a graph whose points do not stay put under A.
mpz_class point_orbit(const Graph& graph, const CanonicalForm* form) {
  mpz_class order_a, order_fixed = 1;
  uint64_t points = point_vertices(graph);
  std::unique_ptr<VertexSymmetry> symmetry;
  if (form != nullptr && form->group_exponent == 0) {
    order_a = static_cast<unsigned long>(llround(form->group_size));
  } else {
    symmetry = std::make_unique<VertexSymmetry>(graph);
    order_a = symmetry->Order(0);
  }
  if (!RefinementSeparates(graph, points, ~uint64_t{0} >> (64 - graph.K))) {
    if (!symmetry) symmetry = std::make_unique<VertexSymmetry>(graph);
    order_fixed = symmetry->Order(points);
  }
  return order_a / order_fixed;
}

/// |A| / |A_fix| in 64 bits when it comes cheaply: |A| exact from the
/// search's call of nauty, and A_fix trivial by colour refinement.
bool small_point_orbit(const Graph& graph, const CanonicalForm* form, uint64_t& orbit) {
  if (form == nullptr || form->group_exponent != 0) return false;
  if (!RefinementSeparates(graph, point_vertices(graph), ~uint64_t{0} >> (64 - graph.K))) return false;
  orbit = static_cast<uint64_t>(llround(form->group_size));
  return true;
}

}  // namespace

bool PointVerticesObviouslyFixed(const Graph& graph) {
  return RefinementSeparates(graph, 0, point_vertices(graph));
}

mpz_class LabelledGraphCount(const Graph& graph, const CanonicalForm* form) {
  form = usable(graph, form);
  if (points_fixed(graph, form)) return multinomial(graph);
  return multinomial(graph) / point_orbit(graph, form);
}

// Most graphs of a search have no symmetry that moves a vertex with
// points, and the search has asked nauty about nearly all of them: their
// count is the multinomial alone, without another call of nauty or GMP.
void LabelledTally::Add(const Graph& graph, const CanonicalForm* form) {
  form = usable(graph, form);
  if (graph.n <= kLargestSmallFactorial) {
    uint64_t orbit = 1;
    if (points_fixed(graph, form) || small_point_orbit(graph, form, orbit)) {
      add_small(small_multinomial(graph) / orbit);
      return;
    }
  }
  mpz_class count = LabelledGraphCount(graph, form);
  if (count.fits_ulong_p())
    add_small(count.get_ui());
  else
    big_ += count;
}

void LabelledTally::Add(const LabelledTally& other) {
  add_small(other.small_);
  big_ += other.big_;
}

void LabelledTally::add_small(uint64_t count) {
  static_assert(sizeof(unsigned long) == sizeof(uint64_t), "GMP takes 64-bit unsigned longs");
  if (small_ + count < small_) {  // would wrap: move the total into GMP
    big_ += static_cast<unsigned long>(small_);
    small_ = 0;
  }
  small_ += count;
}

mpz_class LabelledTally::Total() const { return big_ + static_cast<unsigned long>(small_); }
