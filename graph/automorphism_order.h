// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_GRAPH_AUTOMORPHISM_ORDER_H_
#define STABLE_GRAPHS_GRAPH_AUTOMORPHISM_ORDER_H_

#include <gmpxx.h>

#include "graph/graph.h"

/// The order of the group of vertex permutations of `graph` that keep every
/// vertex's genus, marked points and loops and every edge multiplicity,
/// exactly.  Throws std::length_error when the graph needs more coloured
/// vertices than nauty is built for (K plus the pairs joined by two or more
/// edges must not exceed 32), which no graph of a type stable-graphs
/// accepts does.
mpz_class VertexSymmetryOrder(const Graph& graph);

/// |A_fix|, exactly: the vertex automorphisms (as for VertexSymmetryOrder)
/// that fix every vertex with points, which are those that fix a labelling
/// of them.
mpz_class PointFixingSymmetryOrder(const Graph& graph);

/// |Aut| of the stable graph with unlabelled marked points: the
/// permutations of half-edges and legs that keep genera, incidence and the
/// pairing into edges, which is VertexSymmetryOrder times m! for every pair
/// joined by m edges and l! * 2^l * p! for every vertex with l loops and p
/// marked points.  For a labelled graph, whose automorphisms fix every
/// label: |A_fix| (the vertex permutations above that fix every vertex with
/// points) times m! for every pair joined by m edges and l! * 2^l for every
/// vertex with l loops.
mpz_class AutomorphismOrder(const Graph& graph);

#endif  // STABLE_GRAPHS_GRAPH_AUTOMORPHISM_ORDER_H_
