// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_EULER_EULER_TERM_H_
#define STABLE_GRAPHS_EULER_EULER_TERM_H_

#include <gmpxx.h>

#include "graph/graph.h"

/// The valence of vertex v: marked points plus edge ends, a loop counting
/// twice.
int Valence(const Graph& graph, int v);

/// The graph's term of the Euler characteristic of its moduli space:
/// the product over the vertices of chi(M_{genus, valence}) divided by
/// AutomorphismOrder.
mpq_class EulerTerm(const Graph& graph);

#endif  // STABLE_GRAPHS_EULER_EULER_TERM_H_
