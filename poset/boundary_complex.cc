// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "poset/boundary_complex.h"

#include "labelled/labelled_count.h"
#include "poset/odd_edge_symmetry.h"
#include "poset/stratum_key.h"

namespace {

/// (-1)^(E - 1) for a graph with E = codimension edges.
int cell_sign(const Graph& graph) { return graph.codimension % 2 == 1 ? 1 : -1; }

}  // namespace

void BoundaryComplexSums::Add(const Graph& graph) {
  if (graph.codimension == 0) return;  // no edge, no cell
  if (graph.labelled) {
    add_labelled(graph);
    return;
  }
  // A subgroup of a group without odd elements has none either.
  if (HasOddEdgeSymmetry(graph, false)) {
    if (!HasOddEdgeSymmetry(graph, true)) labelled_ += cell_sign(graph) * LabelledGraphCount(graph);
    return;
  }
  quotient_ += cell_sign(graph);
  labelled_ += cell_sign(graph) * LabelledGraphCount(graph);
}

// The group that keeps the labels fixes every vertex with points, and so
// depends only on the description, which the labellings of one graph share.
void BoundaryComplexSums::add_labelled(const Graph& graph) {
  if (last_.K > 0 && last_.SameDescription(graph)) {
    labelled_ += last_sign_;
    return;
  }
  last_ = graph;
  last_sign_ = HasOddEdgeSymmetry(graph, true) ? 0 : cell_sign(graph);
  labelled_ += last_sign_;
  Graph underlying = graph;
  underlying.labelled = false;
  if (!underlying_seen_.insert(StratumKey(underlying)).second) return;
  if (!HasOddEdgeSymmetry(underlying, false)) quotient_ += cell_sign(graph);
}

std::string BoundaryComplexSums::State() const { return labelled_.get_str() + " " + quotient_.get_str(); }

bool BoundaryComplexSums::RestoreState(const std::string& state) {
  size_t space = state.find(' ');
  if (space == std::string::npos) return false;
  mpz_class labelled, quotient;
  if (labelled.set_str(state.substr(0, space), 10) != 0 || quotient.set_str(state.substr(space + 1), 10) != 0)
    return false;
  labelled_ = labelled;
  quotient_ = quotient;
  return true;
}

void WriteBoundaryComplex(FILE* out, int g, int n, const BoundaryComplexSums& sums) {
  fprintf(out, "boundary complex of (%d, %d): reduced Euler characteristic of Delta_{%d,%d} = %s, of Delta_{%d,%d}/S_%d = %s\n",
          g, n, g, n, sums.Labelled().get_str().c_str(), g, n, n, sums.Quotient().get_str().c_str());
}
