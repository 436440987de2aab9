// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_LABELLED_LABELLED_COUNT_H_
#define STABLE_GRAPHS_LABELLED_LABELLED_COUNT_H_

#include <stdint.h>

#include <gmpxx.h>

#include "graph/canonical_form.h"
#include "graph/graph.h"

/// The number of labelled graphs over a graph with unlabelled points: the
/// orbits, under its vertex automorphism group A, of the ways to hand the
/// labels 1 .. n to its vertices, marked_points[v] of them to vertex v.
///
/// By Burnside's lemma that is (n! / prod n_v!) * |A_fix| / |A|, A_fix the
/// subgroup fixing every vertex that carries points: a vertex permutation
/// fixes a labelling exactly when it fixes those vertices.
///
/// `form`, when given, is the canonical form of the graph the search
/// computed, whose orbits spare a call of nauty.
mpz_class LabelledGraphCount(const Graph& graph, const CanonicalForm* form = nullptr);

/// True when A certainly fixes every vertex that carries points, without
/// asking nauty: colour refinement (decorations, then the colours of the
/// neighbours and the multiplicities of the edges to them, round after
/// round) leaves each such vertex alone with its colour.  False can still
/// mean fixed; true is always right.
bool PointVerticesObviouslyFixed(const Graph& graph);

/// A running total of labelled graphs, in 64 bits while it fits and exact
/// beyond, so that a search adds one graph after another cheaply.
class LabelledTally {
 public:
  /// Adds the labelled graphs over `graph`.
  void Add(const Graph& graph, const CanonicalForm* form = nullptr);
  /// Adds another total.
  void Add(const LabelledTally& other);
  /// Adds a total counted elsewhere (by another process).
  void Add(const mpz_class& total) { big_ += total; }
  /// The exact total.
  mpz_class Total() const;

 private:
  void add_small(uint64_t count);

  uint64_t small_ = 0;
  mpz_class big_;
};

#endif  // STABLE_GRAPHS_LABELLED_LABELLED_COUNT_H_
