// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_POSET_EDGE_CONTRACTION_H_
#define STABLE_GRAPHS_POSET_EDGE_CONTRACTION_H_

#include "graph/graph.h"

/// Writes into `contracted` the graph of the stratum that contains the
/// stratum of `graph`, one edge fewer: with u == v one loop at u
/// contracted, which raises the genus of u by one; with u != v one of the
/// edges between u and v contracted, which merges the two into one vertex
/// (at the place of the smaller, the vertices after the larger moving up
/// one), adding their genera, points and labels, the other edges between
/// them becoming loops.  The edge must exist.  Only the description is
/// written (g, n, K, the per-vertex arrays, adjacency, labelled,
/// vertex_of_label, codimension); `contracted` must not be `graph`.
void ContractEdge(const Graph& graph, int u, int v, Graph& contracted);

#endif  // STABLE_GRAPHS_POSET_EDGE_CONTRACTION_H_
