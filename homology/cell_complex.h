// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_HOMOLOGY_CELL_COMPLEX_H_
#define STABLE_GRAPHS_HOMOLOGY_CELL_COMPLEX_H_

#include <stddef.h>

#include <string>
#include <vector>

#include "graph/graph.h"
#include "homology/cell_basis.h"
#include "homology/sparse_matrix.h"
#include "printers/graph_id.h"

/// The subcomplex of the boundary complex that chains are taken relative
/// to: one that is contractible (for g >= 1), so that the relative chains,
/// far fewer, have the reduced homology of the whole.
enum class Subcomplex {
  /// None: every cell, and the empty cell in degree -1.
  kNone,
  /// The graphs with a loop or a vertex of positive genus.
  kLoopsOrGenus,
  /// Those, and the graphs with two marked points or more on one vertex.
  kLoopsGenusOrSharedPoints,
};

/// Which chains of the boundary complex a CellComplex holds.
struct CellComplexSettings {
  int g = 0;
  int n = 0;
  /// Delta_{g,n}, whose automorphisms keep every label; else the quotient
  /// Delta_{g,n}/S_n, whose automorphisms may move the points.
  bool labelled = false;
  /// Only the cells outside this subcomplex: the chains relative to it.
  Subcomplex relative_to = Subcomplex::kNone;
  /// Threads that compute boundaries.
  int threads = 1;
};

/// The rational cellular chains of the boundary complex of type (g, n):
/// one basis element per stable graph with E >= 1 edges whose cell does
/// not vanish, in degree E - 1, oriented by the order of its edges in its
/// canonical description; the boundary contracts each edge in turn.
class CellComplex {
 public:
  explicit CellComplex(const CellComplexSettings& settings);

  /// Whether `graph` can be a cell without asking nauty: at least one
  /// edge, no parallel edges or double loops, and, in relative chains,
  /// every vertex of genus 0 and no loop.
  bool MayBeCell(const Graph& graph) const;
  /// Whether `graph` lies in the subcomplex the chains are relative to.
  bool InSubcomplex(const Graph& graph) const;
  /// Whether `graph` is a cell: MayBeCell, and no automorphism (keeping
  /// the labels, in Delta_{g,n}) permutes its edges oddly.
  bool IsCell(const Graph& graph) const;
  /// Adds the cell of `graph` (IsCell), named `id`.  Each isomorphism
  /// class must be added once.
  void Add(const Graph& graph, const GraphId& id);
  /// Makes the bases searchable, after the last Add.
  void Seal();

  /// The lowest degree with chains: -1 (the empty cell), or 0 in relative chains.
  int LowestDegree() const { return settings_.relative_to == Subcomplex::kNone ? -1 : 0; }
  /// The highest degree a cell of the type can have: 3g - 4 + n.
  int HighestDegree() const { return 3 * settings_.g - 4 + settings_.n; }
  /// The number of cells of `degree`.
  size_t Dimension(int degree) const;
  /// The cells of `degree` >= 0.
  const CellBasis& Basis(int degree) const { return bases_[degree]; }
  /// The boundary map from degree `degree` to degree - 1, rows the cells
  /// of degree - 1; empty below the lowest degree.  Computed on the
  /// settings' threads; throws std::logic_error if a face that does not
  /// vanish is missing from the cells (the graphs added were incomplete).
  SparseMatrix Boundary(int degree) const;

  const CellComplexSettings& settings() const { return settings_; }

 private:
  void boundary_of(int degree, size_t cell, std::vector<SparseMatrix::Entry>& out) const;

  CellComplexSettings settings_;
  std::vector<CellBasis> bases_;  // by degree, 0 .. HighestDegree()
};

#endif  // STABLE_GRAPHS_HOMOLOGY_CELL_COMPLEX_H_
