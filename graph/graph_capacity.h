// Copyright 2026 The stable-graphs Authors.
#ifndef STABLE_GRAPHS_GRAPH_GRAPH_CAPACITY_H_
#define STABLE_GRAPHS_GRAPH_GRAPH_CAPACITY_H_

/// The most coloured vertices (components plus pairs joined by two or more
/// edges) that a stable graph of type (g, n) needs for its canonical form:
/// 3g + n - 2, one less with fewer than two marked points.  Meaningful for
/// g, n >= 0; computed in 64 bits so that any int arguments are safe.
long long MaxColoredVertices(long long g, long long n);

/// True when every stable graph of type (g, n) fits the record and nauty:
/// g, n >= 0 and MaxColoredVertices(g, n) <= kMaxColoredVertices.
bool TypeFitsCapacity(long long g, long long n);

#endif  // STABLE_GRAPHS_GRAPH_GRAPH_CAPACITY_H_
