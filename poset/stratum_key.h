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
/// The same key, and in `order` (K entries) the vertex put in each place:
/// the key describes vertex order[0] first.  Two orders that give the
/// same key differ by an automorphism of the graph.
std::string StratumKey(const Graph& graph, int* order);

/// The graph a key describes, its vertices in the key's order: the graph
/// of type (g, n), labelled as `labelled` says, whose StratumKey is `key`.
/// Throws std::invalid_argument for a text no StratumKey of that type
/// returns in length.
Graph GraphOfStratumKey(const std::string& key, int g, int n, bool labelled);

#endif  // STABLE_GRAPHS_POSET_STRATUM_KEY_H_
