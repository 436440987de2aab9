// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_GRAPH_COLOUR_REFINEMENT_H_
#define STABLE_GRAPHS_GRAPH_COLOUR_REFINEMENT_H_

#include <stdint.h>

#include "graph/graph.h"

/// Colour refinement of a multigraph with coloured vertices: round after
/// round each colour splits by the multiset of (neighbour colour, edge
/// multiplicity) around its vertices.
///
/// The colours depend only on the graph, so every automorphism keeps them
/// and vertices of one orbit always share theirs; a hash collision can only
/// leave two colours merged, never split an orbit.  So a vertex alone with
/// its colour is certainly fixed by every automorphism.
class ColourRefinement {
 public:
  /// `size` vertices with the given starting colours, joined by
  /// multiplicity[u][v] edges (the diagonal is ignored).
  ColourRefinement(int size, const uint64_t* colour, const int8_t (*multiplicity)[kMaxComponents]);

  /// Refines once; false, changing nothing, when no colour splits.
  bool Round();
  /// Refines until no colour splits.
  void Finish() {
    while (Round()) {
    }
  }
  /// The number of distinct colours.
  int distinct() const { return distinct_; }
  /// The colour of vertex v.
  uint64_t colour(int v) const { return colour_[v]; }
  /// True when every vertex whose bit is set in `vertices` has a colour no
  /// other vertex has.
  bool Alone(uint64_t vertices) const;

 private:
  int count_distinct(const uint64_t* colour) const;

  int size_;
  int distinct_;
  uint64_t colour_[kMaxComponents];
  // Neighbour lists: a vertex has a few neighbours, not size_ of them.
  int first_[kMaxComponents + 1];
  int neighbour_[kMaxComponents * kMaxComponents];
  uint64_t weight_[kMaxComponents * kMaxComponents];
};

/// Refines the colours `colour` of the vertices of `graph` (starting
/// colours, invariants of the vertices) until no colour splits; returns the
/// number of distinct colours, graph.K when every vertex ends alone.
int RefineColours(const Graph& graph, uint64_t* colour);

/// The colour a vertex of `graph` starts refinement with: its decoration.
uint64_t DecorationColour(const Graph& graph, int v);

/// True when colour refinement of `graph`, its vertices coloured by
/// decoration and those in `individualised` each given a colour of its
/// own, leaves every vertex in `targets` alone with its colour: a proof
/// that the automorphisms fixing `individualised` fix them.  False can
/// still mean fixed.
bool RefinementSeparates(const Graph& graph, uint64_t individualised, uint64_t targets);

#endif  // STABLE_GRAPHS_GRAPH_COLOUR_REFINEMENT_H_
