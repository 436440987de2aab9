// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_STREAM_RECORD_CHECK_H_
#define STABLE_GRAPHS_STREAM_RECORD_CHECK_H_

#include <string>

#include "graph/graph.h"

/// Empty when a record read from a stream describes a graph that
/// stable-graphs can write: no negative count, every vertex stable, the
/// graph connected, and its type one the tool accepts (CapacityProblem).
/// Otherwise what is wrong, as the end of a sentence about the graph
/// ("has a negative genus", "is not connected", ...).  The record's g and n
/// must be those that ReadRecord computes.
std::string RecordProblem(const Graph& graph);

/// The number of edges of a record, loops included.
int CountEdges(const Graph& graph);

#endif  // STABLE_GRAPHS_STREAM_RECORD_CHECK_H_
