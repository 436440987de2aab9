// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "labelled/labelled_count.h"

#include <math.h>

#include <memory>

#include "labelled/vertex_symmetry.h"

namespace {

/// 20! is the largest factorial below 2^64.
constexpr int kLargestSmallFactorial = 20;

/// 0!, 1!, ..., 20!: the count of every graph of a search needs several.
struct FactorialTable {
  uint64_t value[kLargestSmallFactorial + 1];
  constexpr FactorialTable() : value() {
    value[0] = 1;
    for (int k = 1; k <= kLargestSmallFactorial; ++k) value[k] = value[k - 1] * static_cast<uint64_t>(k);
  }
};
constexpr FactorialTable kFactorials;

/// n! / prod n_v!, the number of ways to hand out the labels, for n <= 20.
uint64_t small_multinomial(const Graph& graph) {
  uint64_t denominator = 1;
  for (int v = 0; v < graph.K; ++v) denominator *= kFactorials.value[graph.marked_points[v]];
  return kFactorials.value[graph.n] / denominator;
}

mpz_class multinomial(const Graph& graph) {
  mpz_class numerator, factor, denominator = 1;
  mpz_fac_ui(numerator.get_mpz_t(), static_cast<unsigned long>(graph.n));
  for (int v = 0; v < graph.K; ++v) {
    mpz_fac_ui(factor.get_mpz_t(), static_cast<unsigned long>(graph.marked_points[v]));
    denominator *= factor;
  }
  return numerator / denominator;
}

uint64_t mix(uint64_t h) {
  h ^= h >> 31;
  h *= 0x7fb5d329728ea185ULL;
  h ^= h >> 27;
  h *= 0x81dadef4bc2dd44dULL;
  return h ^ (h >> 33);
}

uint64_t vertex_bit(int v) { return uint64_t{1} << v; }

uint64_t point_vertices(const Graph& graph) {
  uint64_t mask = 0;
  for (int v = 0; v < graph.K; ++v)
    if (graph.marked_points[v] > 0) mask |= vertex_bit(v);
  return mask;
}

/// True when every vertex in `targets` has a colour no other vertex has.
bool alone(int K, const uint64_t* colour, uint64_t targets) {
  for (int v = 0; v < K; ++v) {
    if (!(targets & vertex_bit(v))) continue;
    for (int u = 0; u < K; ++u)
      if (u != v && colour[u] == colour[v]) return false;
  }
  return true;
}

int distinct_colours(int K, const uint64_t* colour) {
  int distinct = 0;
  for (int v = 0; v < K; ++v) {
    int u = 0;
    while (u < v && colour[u] != colour[v]) ++u;
    if (u == v) ++distinct;
  }
  return distinct;
}

/// Colour refinement: the decorations, the vertices of `individualised`
/// each with a colour of its own, then round after round the colours of
/// the neighbours and the multiplicities of the edges to them.  True when
/// it leaves every vertex of `targets` alone with its colour, which proves
/// that the subgroup fixing `individualised` fixes them.
///
/// Colours are invariants of that subgroup, so vertices of one orbit always
/// share theirs; a hash collision can only merge colours, which makes the
/// answer false, never wrongly true.
bool refinement_separates(const Graph& graph, uint64_t individualised, uint64_t targets) {
  const int K = graph.K;
  const uint64_t all = ~uint64_t{0} >> (64 - K);
  // A vertex individualised has a colour of its own from the start.
  if ((targets & all & ~individualised) == 0) return true;
  // With every vertex a target, "each alone" is "K colours", which the
  // rounds count anyway.
  const bool whole = (targets & all) == all;
  uint64_t colour[kMaxComponents], next[kMaxComponents];
  for (int v = 0; v < K; ++v) {
    uint64_t own = individualised & vertex_bit(v) ? uint64_t{static_cast<unsigned>(v) + 1} << 32 : 0;
    colour[v] = mix(own | (uint64_t{static_cast<uint8_t>(graph.genus[v])} << 16) |
                    (uint64_t{static_cast<uint8_t>(graph.marked_points[v])} << 8) |
                    static_cast<uint8_t>(graph.loops[v]));
  }
  int distinct = distinct_colours(K, colour);
  if (whole ? distinct == K : alone(K, colour, targets)) return true;
  for (;;) {
    for (int v = 0; v < K; ++v) {
      // A sum, so that the order of the neighbours does not matter; one
      // multiplication per edge keeps a round cheap.
      uint64_t neighbours = 0;
      const int8_t* row = graph.adjacency[v];
      for (int w = 0; w < K; ++w)
        if (row[w] != 0 && w != v) neighbours += (colour[w] + static_cast<uint64_t>(row[w])) * 0x9e3779b97f4a7c15ULL;
      next[v] = mix(colour[v] + neighbours);
    }
    int refined = distinct_colours(K, next);
    if (refined == distinct) return false;  // stable: nothing more told apart
    distinct = refined;
    for (int v = 0; v < K; ++v) colour[v] = next[v];
    if (whole ? distinct == K : alone(K, colour, targets)) return true;
  }
}

/// True when the vertices come sorted by (genus, marked points, loops), as
/// the generator keeps them, so that the orbits nauty reported with the
/// canonical form are those of A.
bool sorted_by_decoration(const Graph& graph) {
  // The three as one number; none is negative in a record.
  auto decoration = [&graph](int v) {
    return static_cast<uint32_t>(static_cast<uint8_t>(graph.genus[v])) << 16 |
           static_cast<uint32_t>(static_cast<uint8_t>(graph.marked_points[v])) << 8 |
           static_cast<uint8_t>(graph.loops[v]);
  };
  uint32_t previous = decoration(0);
  for (int v = 1; v < graph.K; ++v) {
    uint32_t current = decoration(v);
    if (current < previous) return false;
    previous = current;
  }
  return true;
}

/// True when the search's call of nauty already told A's orbits.
bool has_nauty_orbits(const Graph& graph) { return graph.nautyK != -1 && sorted_by_decoration(graph); }

/// True when A fixes every vertex that carries points.
bool points_fixed(const Graph& graph) {
  if (!has_nauty_orbits(graph)) return PointVerticesObviouslyFixed(graph);
  // The orbits (by their least vertex) met more than once.
  uint64_t seen = 0, repeated = 0;
  for (int v = 0; v < graph.K; ++v) {
    uint64_t orbit = vertex_bit(graph.nautyOrbits[v]);
    repeated |= seen & orbit;
    seen |= orbit;
  }
  for (int v = 0; v < graph.K; ++v)
    if (graph.marked_points[v] > 0 && (repeated & vertex_bit(graph.nautyOrbits[v]))) return false;
  return true;
}

/// |A| / |A_fix| for a graph whose points do not stay put under A.
mpz_class point_orbit(const Graph& graph) {
  mpz_class order_a, order_fixed = 1;
  uint64_t points = point_vertices(graph);
  std::unique_ptr<VertexSymmetry> symmetry;
  if (has_nauty_orbits(graph) && graph.nautyGroupExponent == 0) {
    order_a = static_cast<unsigned long>(llround(graph.nautyGroupSize));
  } else {
    symmetry = std::make_unique<VertexSymmetry>(graph);
    order_a = symmetry->Order(0);
  }
  if (!refinement_separates(graph, points, ~uint64_t{0} >> (64 - graph.K))) {
    if (!symmetry) symmetry = std::make_unique<VertexSymmetry>(graph);
    order_fixed = symmetry->Order(points);
  }
  return order_a / order_fixed;
}

/// |A| / |A_fix| in 64 bits when it comes cheaply: |A| exact from the
/// search's call of nauty, and A_fix trivial by colour refinement.
bool small_point_orbit(const Graph& graph, uint64_t& orbit) {
  if (!has_nauty_orbits(graph) || graph.nautyGroupExponent != 0) return false;
  if (!refinement_separates(graph, point_vertices(graph), ~uint64_t{0} >> (64 - graph.K))) return false;
  orbit = static_cast<uint64_t>(llround(graph.nautyGroupSize));
  return true;
}

}  // namespace

mpz_class PointFixingSymmetryOrder(const Graph& graph) {
  uint64_t points = point_vertices(graph);
  if (refinement_separates(graph, points, ~uint64_t{0} >> (64 - graph.K))) return 1;
  return VertexSymmetry(graph).Order(points);
}

bool PointVerticesObviouslyFixed(const Graph& graph) {
  return refinement_separates(graph, 0, point_vertices(graph));
}

mpz_class LabelledGraphCount(const Graph& graph) {
  if (points_fixed(graph)) return multinomial(graph);
  return multinomial(graph) / point_orbit(graph);
}

// Most graphs of a search have no symmetry that moves a vertex with
// points, and the search has asked nauty about nearly all of them: their
// count is the multinomial alone, without another call of nauty or GMP.
void LabelledTally::Add(const Graph& graph) {
  if (graph.n <= kLargestSmallFactorial) {
    uint64_t orbit = 1;
    if (points_fixed(graph) || small_point_orbit(graph, orbit)) {
      add_small(small_multinomial(graph) / orbit);
      return;
    }
  }
  mpz_class count = LabelledGraphCount(graph);
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
