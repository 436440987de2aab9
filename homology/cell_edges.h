// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_HOMOLOGY_CELL_EDGES_H_
#define STABLE_GRAPHS_HOMOLOGY_CELL_EDGES_H_

#include <stdint.h>

#include "graph/graph.h"

/// The most edges a cell's graph can have: 3g - 3 + n for the largest
/// type the tool accepts stays far below.
constexpr int kMaxCellEdges = 64;

/// The edges of a graph without parallel edges or a second loop at a
/// vertex, in an order: an orientation of its cell.
struct CellEdges {
  /// One edge: its ends, u <= v, u == v for a loop.
  struct Ends {
    int8_t u;
    int8_t v;
  };
  int count = 0;
  Ends ends[kMaxCellEdges];
};

/// Whether some pair of vertices is joined by two edges or more, or some
/// vertex has two loops or more: swapping two such edges keeps the graph
/// and is odd, so its cell is zero over Q.
bool HasParallelEdges(const Graph& graph);

/// The edges of `graph` (no parallel edges) in the order of their ends,
/// (u, v) before (u', v') when u < u', or u == u' and v < v': the
/// canonical orientation when the graph's vertices are in canonical order.
CellEdges EdgesInOrder(const Graph& graph);

/// The sign of the permutation that takes `edges`, edges of a graph whose
/// vertex `order[i]` is put in place i, to the edges of the graph so
/// renumbered in the order of EdgesInOrder: +1 when even, -1 when odd.
int OrientationSign(const CellEdges& edges, const int* order, int K);

#endif  // STABLE_GRAPHS_HOMOLOGY_CELL_EDGES_H_
