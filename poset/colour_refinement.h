// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_POSET_COLOUR_REFINEMENT_H_
#define STABLE_GRAPHS_POSET_COLOUR_REFINEMENT_H_

#include <stdint.h>

#include "graph/graph.h"

/// Mixes a value into a hash (the finaliser of SplitMix64).
uint64_t MixColour(uint64_t value);

/// Colour refinement of the multigraph of `graph` (its adjacency off the
/// diagonal): starting from colour[v], an invariant of each vertex, replaces
/// every colour round after round by a hash of itself and of the multiset of
/// (neighbour's colour, multiplicity), until the number of distinct colours
/// stops growing.  Returns that number; graph.K means every vertex ends with
/// a colour of its own.
///
/// The colours depend only on the graph and the starting colours, never on
/// the order of the vertices, so isomorphic graphs end with the same colours
/// on corresponding vertices; a hash collision can only leave two colours
/// merged.
int RefineColours(const Graph& graph, uint64_t* colour);

#endif  // STABLE_GRAPHS_POSET_COLOUR_REFINEMENT_H_
