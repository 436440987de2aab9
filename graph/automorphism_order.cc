// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
//
// The vertex symmetries are found in three steps: classes of twins
// (alike vertices joined alike to all others) contribute the factorials of
// their sizes and are merged; colour refinement then settles the common
// case of a graph without further symmetry (every vertex ends in a colour
// of its own); otherwise nauty computes the group of the same kind of
// coloured simple graph the canonical form uses, started from the refined
// colours.  nauty reports the order as a double, exact only up to 2^53, so
// the order is instead taken as the product of the orbit sizes that nauty
// passes to the level procedure, one per level of its first path.
#include "graph/automorphism_order.h"

#include <stdint.h>

#include "graph/colour_refinement.h"
#include "graph/factorial.h"
#include "graph/hash_mix.h"
#include "graph/nauty_graph.h"
#include "graph/vertex_symmetry.h"

namespace {

/// A vertex-coloured graph with edge multiplicities, small enough for the
/// stack: the graph itself, then its quotients by twin classes.
struct ColoredGraph {
  int size = 0;
  uint64_t color[kMaxComponents];
  int8_t multiplicity[kMaxComponents][kMaxComponents];
};

/// Whether u and v are twins: alike, and joined alike to every other vertex.
bool twins(const ColoredGraph& graph, int u, int v) {
  if (graph.color[u] != graph.color[v]) return false;
  for (int x = 0; x < graph.size; ++x)
    if (x != u && x != v && graph.multiplicity[u][x] != graph.multiplicity[v][x]) return false;
  return true;
}

/// Replaces every class of twins by one vertex coloured by the class, its
/// size and the multiplicity between its members; returns the product of
/// the factorials of the class sizes, or 1 when there are no twins.
///
/// Being twins is an equivalence (two twin pairs sharing a vertex have the
/// same multiplicity between them), every permutation inside a class is a
/// symmetry, and the symmetries act on the classes as those of the
/// quotient: so |A| is that product times |A| of the quotient.
mpz_class merge_twins(ColoredGraph& graph) {
  int class_of[kMaxComponents];
  int leaders[kMaxComponents], sizes[kMaxComponents];
  int classes = 0;
  for (int v = 0; v < graph.size; ++v) {
    class_of[v] = -1;
    for (int c = 0; c < classes && class_of[v] < 0; ++c)
      if (twins(graph, leaders[c], v)) class_of[v] = c;
    if (class_of[v] < 0) {
      class_of[v] = classes;
      leaders[classes] = v;
      sizes[classes++] = 0;
    }
    ++sizes[class_of[v]];
  }
  if (classes == graph.size) return 1;
  mpz_class factor = 1;
  ColoredGraph quotient;
  quotient.size = classes;
  for (int c = 0; c < classes; ++c) {
    int leader = leaders[c];
    int inside = 0;
    for (int v = 0; v < graph.size; ++v)
      if (v != leader && class_of[v] == c) inside = graph.multiplicity[leader][v];
    factor *= Factorial(sizes[c]);
    quotient.color[c] =
        sizes[c] == 1 ? graph.color[leader] : MixBits(graph.color[leader] ^ MixBits(uint64_t(sizes[c]) << 8 | inside));
    for (int d = 0; d < classes; ++d) quotient.multiplicity[c][d] = graph.multiplicity[leader][leaders[d]];
  }
  graph = quotient;
  return factor;
}

/// Refines the colours of `graph` in place; true when every vertex ends
/// with a colour of its own, so that only the identity keeps them.
bool refine(ColoredGraph& graph) {
  ColourRefinement refinement(graph.size, graph.color, graph.multiplicity);
  refinement.Finish();
  for (int v = 0; v < graph.size; ++v) graph.color[v] = refinement.colour(v);
  return refinement.distinct() == graph.size;
}

uint64_t point_vertices(const Graph& graph) {
  uint64_t mask = 0;
  for (int v = 0; v < graph.K; ++v)
    if (graph.marked_points[v] > 0) mask |= uint64_t{1} << v;
  return mask;
}

}  // namespace

mpz_class VertexSymmetryOrder(const Graph& graph) {
  if (graph.K <= 1) return 1;
  ColoredGraph colored;
  colored.size = graph.K;
  for (int v = 0; v < graph.K; ++v) {
    colored.color[v] = DecorationColour(graph, v);
    for (int w = 0; w < graph.K; ++w) colored.multiplicity[v][w] = v == w ? 0 : graph.adjacency[v][w];
  }
  if (refine(colored)) return 1;  // the common case
  mpz_class order = 1;
  while (colored.size > 1) {
    mpz_class factor = merge_twins(colored);
    if (factor == 1) break;
    order *= factor;
  }
  if (colored.size <= 1 || refine(colored)) return order;
  return order * NautyGraph(colored.size, colored.color, colored.multiplicity).ExactOrder();
}

mpz_class PointFixingSymmetryOrder(const Graph& graph) {
  uint64_t points = point_vertices(graph);
  if (RefinementSeparates(graph, points, ~uint64_t{0} >> (64 - graph.K))) return 1;
  return VertexSymmetry(graph).Order(points);
}

// A labelled graph's automorphisms fix every label, hence every vertex with
// points and every leg.
mpz_class AutomorphismOrder(const Graph& graph) {
  mpz_class order = graph.labelled ? PointFixingSymmetryOrder(graph) : VertexSymmetryOrder(graph);
  for (int v = 0; v < graph.K; ++v) {
    order *= Factorial(graph.loops[v]) * Factorial(graph.labelled ? 0 : graph.marked_points[v]);
    order <<= graph.loops[v];
    for (int w = v + 1; w < graph.K; ++w) order *= Factorial(graph.adjacency[v][w]);
  }
  return order;
}
