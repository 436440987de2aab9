// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_POSET_ODD_EDGE_SYMMETRY_H_
#define STABLE_GRAPHS_POSET_ODD_EDGE_SYMMETRY_H_

#include "graph/graph.h"

/// Whether some automorphism of `graph` permutes its edges (loops
/// included, as a set of edges: turning a loop around moves no edge) by an
/// odd permutation.  With fix_point_vertices only the automorphisms that
/// fix every vertex carrying points count: those of the graph with its
/// points labelled, which keep every leg.
///
/// Swapping two parallel edges, or two loops at a vertex, is odd; without
/// those, an automorphism is its vertex permutation, and the permutations
/// of edges form a homomorphic image of the vertex group, so it is enough
/// to test the generators nauty finds.
bool HasOddEdgeSymmetry(const Graph& graph, bool fix_point_vertices);

#endif  // STABLE_GRAPHS_POSET_ODD_EDGE_SYMMETRY_H_
