// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_GRAPH_TYPE_CAPACITY_H_
#define STABLE_GRAPHS_GRAPH_TYPE_CAPACITY_H_

#include <optional>
#include <string>

/// The most coloured vertices (components plus pairs joined by two or more
/// edges) that a stable graph of type (g, n) needs for its canonical form:
/// 3g + n - 2, one less with fewer than two marked points.  Meaningful for
/// g, n >= 0; computed in 64 bits so that any int arguments are safe.
long long MaxColoredVertices(long long g, long long n);

/// The same over the graphs with exactly `edges` edges, when given: such a
/// graph has at most edges + 1 coloured vertices as well.
long long MaxColoredVertices(long long g, long long n, std::optional<long long> edges);

/// True when every stable graph of type (g, n), with exactly `edges` edges
/// when given, fits the record, the search's store and nauty: g, n >= 0,
/// g <= kMaxGenus, n <= kMaxMarkedPoints and MaxColoredVertices(g, n,
/// edges) <= kMaxColoredVertices.
bool TypeFitsCapacity(long long g, long long n, std::optional<long long> edges = std::nullopt);

/// Empty when TypeFitsCapacity(g, n, edges), else one line (without line
/// end) naming the limit that the type exceeds.  The tool refuses such a
/// run and the stream readers refuse records of it, so both ends of a
/// stream agree on what can exist.
std::string CapacityProblem(long long g, long long n, std::optional<long long> edges = std::nullopt);

/// Empty when type (g, n) has stable graphs (2g - 2 + n > 0), else one line
/// saying that it has none.
std::string NoStableGraphs(int g, int n);

#endif  // STABLE_GRAPHS_GRAPH_TYPE_CAPACITY_H_
