// Copyright 2026 The stable-graphs Authors.
#ifndef STABLE_GRAPHS_GRAPH_TYPE_CAPACITY_H_
#define STABLE_GRAPHS_GRAPH_TYPE_CAPACITY_H_

#include <string>

/// Empty when graphs of type (g, n) fit the model, else one line (without
/// line end) naming the limit that (g, n) exceeds.  The tool refuses such a
/// type and the stream readers refuse records of it, so both ends of a
/// stream agree on what can exist.
std::string CapacityProblem(int g, int n);

#endif  // STABLE_GRAPHS_GRAPH_TYPE_CAPACITY_H_
