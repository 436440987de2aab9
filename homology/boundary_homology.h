// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_HOMOLOGY_BOUNDARY_HOMOLOGY_H_
#define STABLE_GRAPHS_HOMOLOGY_BOUNDARY_HOMOLOGY_H_

#include <stddef.h>

#include <vector>

#include "homology/cell_complex.h"
#include "homology/rational_rank.h"
#include "homology/sparse_matrix.h"

/// One degree k of the reduced homology of a complex.
struct HomologyDegree {
  int degree = 0;
  /// dim C_k.
  size_t cells = 0;
  /// The rank of the boundary map d_k from C_k to C_{k-1}.
  RationalRank boundary;
  /// dim C_k - rank d_k - rank d_{k+1}: the Betti number of reduced
  /// homology in degree k (at least the true one; see RationalRank).
  size_t betti = 0;
};

/// Receives each boundary map as it is made, before its rank is taken.
class BoundarySink {
 public:
  virtual ~BoundarySink() {}
  /// d_degree, from the cells of `degree` to those of degree - 1.
  virtual void Boundary(int degree, const SparseMatrix& matrix) = 0;
};

/// The reduced rational homology of `complex` (sealed) in every degree from
/// its lowest to its highest.  Holds one boundary matrix at a time, handing
/// each to `sink` when given.
std::vector<HomologyDegree> ComputeHomology(const CellComplex& complex, BoundarySink* sink = nullptr);

#endif  // STABLE_GRAPHS_HOMOLOGY_BOUNDARY_HOMOLOGY_H_
