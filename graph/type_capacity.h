// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_GRAPH_TYPE_CAPACITY_H_
#define STABLE_GRAPHS_GRAPH_TYPE_CAPACITY_H_

#include <string>

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
