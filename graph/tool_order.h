// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_GRAPH_TOOL_ORDER_H_
#define STABLE_GRAPHS_GRAPH_TOOL_ORDER_H_

#include "graph/graph.h"

// The tool's order: the one order in which every writer of the tool puts
// the graphs of a type, and in which every reader expects them.
//
// Records of a type are ordered by
//   1. the number of components K,
//   2. the codimension (the number of edges, loops included),
//   3. the genera of vertices 0 .. K - 1,
//   4. their marked points,
//   5. their loops,
//   6. the upper triangle of the adjacency matrix read row by row:
//      (0, 1), (0, 2), ..., (0, K - 1), (1, 2), ..., (K - 2, K - 1),
// each a vector compared lexicographically.  After K, items 3 to 6 are the
// bytes of the record in the byte stream, in the order the stream holds
// them, so within one section (K and codimension) the order of the records
// is the order of their bytes.
//
// The search emits candidates in this order (its levels assign the items
// 3 to 6 in turn, each value in ascending order) and writes the sections in
// it; of all the relabellings of a graph that keep its vertices sorted by
// decoration (CompareDecorations), it writes the least in this order, which
// is the graph's tool's form.  graph/lex_least.h proves both.

/// Compares the decorations of vertex u of `a` and vertex v of `b`: genus,
/// then marked points, then loops.  Negative, zero or positive.
int CompareDecorations(const Graph& a, int u, const Graph& b, int v);

/// Whether the vertices of `graph` ascend by decoration, as in every graph
/// the tool writes.
bool SortedByDecoration(const Graph& graph);

/// Compares two records of one type in the tool's order: negative when `a`
/// comes first, zero for the same description, positive when `b` comes
/// first.  Reads K, codimension, genus, marked_points, loops and the upper
/// triangle of adjacency; not the labels.
int CompareInToolOrder(const Graph& a, const Graph& b);

#endif  // STABLE_GRAPHS_GRAPH_TOOL_ORDER_H_
