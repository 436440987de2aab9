// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_POSET_BOUNDARY_COMPLEX_H_
#define STABLE_GRAPHS_POSET_BOUNDARY_COMPLEX_H_

#include <gmpxx.h>
#include <stdio.h>

#include <string>
#include <unordered_set>

#include "graph/graph.h"

/// The reduced Euler characteristics of the boundary complex Delta_{g,n}
/// (the cells are the labelled stable graphs with at least one edge) and of
/// its quotient Delta_{g,n}/S_n (the graphs with unlabelled points), from
/// the graphs of a run added one by one.
///
/// A graph with E >= 1 edges is a cell of dimension E - 1; it counts
/// (-1)^(E - 1) unless an automorphism permutes its edges oddly, which
/// makes its cell vanish from the rational chains (HasOddEdgeSymmetry):
/// in Delta_{g,n} the automorphisms keep every label, in the quotient they
/// may move the points.  Both characteristics are sum - 1.
class BoundaryComplexSums {
 public:
  /// Adds the cells of `graph`.  A graph with unlabelled points stands for
  /// itself in the quotient and for its labelled graphs, counted without
  /// being made, in Delta_{g,n}; all of these share one group of
  /// label-keeping automorphisms.  A labelled graph stands for itself in
  /// Delta_{g,n} and adds its underlying graph to the quotient unless a
  /// labelled graph over it came before.
  void Add(const Graph& graph);

  /// The reduced Euler characteristic of Delta_{g,n}.
  mpz_class Labelled() const { return labelled_ - 1; }
  /// The reduced Euler characteristic of Delta_{g,n}/S_n.
  mpz_class Quotient() const { return quotient_ - 1; }

  /// The sums so far as text, "labelled quotient" in decimal.
  std::string State() const;
  /// Takes up a State() for graphs with unlabelled points; false, changing
  /// nothing, for any other text.
  bool RestoreState(const std::string& state);

 private:
  void add_labelled(const Graph& graph);

  mpz_class labelled_ = 0;
  mpz_class quotient_ = 0;
  // For labelled graphs: the underlying graphs met, by canonical key, and
  // the last record with its cell's sign, which the labellings of one
  // graph, coming one after another, share.
  std::unordered_set<std::string> underlying_seen_;
  Graph last_{-1, -1, -1};
  int last_sign_ = 0;
};

/// Writes the one line of the boundary complex report of type (g, n):
/// "boundary complex of (g, n): reduced Euler characteristic of
/// Delta_{g,n} = X, of Delta_{g,n}/S_n = Y".
void WriteBoundaryComplex(FILE* out, int g, int n, const BoundaryComplexSums& sums);

#endif  // STABLE_GRAPHS_POSET_BOUNDARY_COMPLEX_H_
