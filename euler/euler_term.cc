// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "euler/euler_term.h"

#include "euler/moduli_euler.h"
#include "graph/automorphism_order.h"

int Valence(const Graph& graph, int v) {
  int valence = graph.marked_points[v] + 2 * graph.loops[v];
  for (int w = 0; w < graph.K; ++w)
    if (w != v) valence += graph.adjacency[v][w];
  return valence;
}

mpq_class EulerTerm(const Graph& graph) {
  mpq_class term = 1;
  for (int v = 0; v < graph.K; ++v) term *= OpenModuliEuler(graph.genus[v], Valence(graph, v));
  term /= AutomorphismOrder(graph);
  return term;
}
