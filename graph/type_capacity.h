// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_GRAPH_TYPE_CAPACITY_H_
#define STABLE_GRAPHS_GRAPH_TYPE_CAPACITY_H_

#include <string>

/// The most coloured vertices (components plus pairs joined by two or more
/// edges) that a stable graph of type (g, n) needs for its canonical form:
/// 3g + n - 2, one less with fewer than two marked points.  Meaningful for
/// g, n >= 0; computed in 64 bits so that any int arguments are safe.
long long MaxColoredVertices(long long g, long long n);

/// True when every stable graph of type (g, n) fits the record and nauty:
/// g, n >= 0 and MaxColoredVertices(g, n) <= kMaxColoredVertices.
bool TypeFitsCapacity(long long g, long long n);

/// Empty when graphs of type (g, n) fit the model, else one line (without
/// line end) naming the limit that (g, n) exceeds.  The tool refuses such a
/// type and the stream readers refuse records of it, so both ends of a
/// stream agree on what can exist.
std::string CapacityProblem(int g, int n);

/// CapacityProblem, naming g and n by the given texts: the numbers as the
/// user typed them, which may lie beyond the range of int that g and n
/// were clamped to.
std::string CapacityProblem(int g, int n, const std::string& g_text, const std::string& n_text);

/// Empty when type (g, n) has stable graphs (2g - 2 + n > 0), else one line
/// saying that it has none.
std::string NoStableGraphs(int g, int n);

#endif  // STABLE_GRAPHS_GRAPH_TYPE_CAPACITY_H_
