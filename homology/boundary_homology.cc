// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "homology/boundary_homology.h"

#include <stdexcept>

std::vector<HomologyDegree> ComputeHomology(const CellComplex& complex, BoundarySink* sink) {
  std::vector<HomologyDegree> degrees;
  for (int k = complex.LowestDegree(); k <= complex.HighestDegree(); ++k) {
    HomologyDegree degree;
    degree.degree = k;
    degree.cells = complex.Dimension(k);
    SparseMatrix boundary = complex.Boundary(k);
    if (sink != nullptr) sink->Boundary(k, boundary);
    degree.boundary = RankOverQ(boundary, complex.settings().threads);
    degrees.push_back(degree);
  }
  for (size_t i = 0; i < degrees.size(); ++i) {
    size_t next_rank = i + 1 < degrees.size() ? degrees[i + 1].boundary.rank : 0;
    // The image of d_{k+1} lies in the kernel of d_k: rank d_k + rank
    // d_{k+1} <= dim C_k holds for any chain complex.
    if (degrees[i].boundary.rank + next_rank > degrees[i].cells)
      throw std::logic_error("the boundary maps do not make a chain complex: rank d_k + rank d_k+1 > dim C_k");
    degrees[i].betti = degrees[i].cells - degrees[i].boundary.rank - next_rank;
  }
  return degrees;
}
