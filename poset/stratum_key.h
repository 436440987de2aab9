// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_POSET_STRATUM_KEY_H_
#define STABLE_GRAPHS_POSET_STRATUM_KEY_H_

#include <string>

#include "graph/graph.h"

/// A canonical key of a stable graph, whatever the order of its vertices:
/// two graphs of one type have the same key exactly when they are
/// isomorphic (labelled graphs: by an isomorphism that keeps every label).
///
/// The key is the graph's description (decorations, multiplicities, the
/// vertex of each label) with its vertices in a canonical order, so equal
/// keys always mean isomorphic graphs.  The order comes from colour
/// refinement where that tells every vertex apart, and from nauty's
/// canonical labelling otherwise.  Throws std::length_error for a graph
/// that needs more coloured vertices than nauty is built for, which no
/// graph of a type stable-graphs accepts does.
std::string StratumKey(const Graph& graph);

#endif  // STABLE_GRAPHS_POSET_STRATUM_KEY_H_
