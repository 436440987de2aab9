// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "stream/record_check.h"

#include <string>

#include "graph/type_capacity.h"

namespace {

/// Names the first negative count of graph, or returns an empty string.
std::string negative_count(const Graph& graph) {
  for (int i = 0; i < graph.K; ++i) {
    if (graph.genus[i] < 0) return "genus";
    if (graph.marked_points[i] < 0) return "marked-point count";
    if (graph.loops[i] < 0) return "loop count";
    for (int j = i + 1; j < graph.K; ++j)
      if (graph.adjacency[i][j] < 0) return "edge multiplicity";
  }
  return "";
}

/// The special points of vertex v: marked points and edge ends.
int special_points(const Graph& graph, int v) {
  int points = graph.marked_points[v] + 2 * graph.loops[v];
  for (int u = 0; u < graph.K; ++u)
    if (u != v) points += graph.adjacency[v][u];
  return points;
}

/// The first vertex whose curve would have infinitely many automorphisms
/// (2 genus - 2 + special points <= 0), or -1.
int unstable_vertex(const Graph& graph) {
  for (int v = 0; v < graph.K; ++v)
    if (2 * graph.genus[v] - 2 + special_points(graph, v) <= 0) return v;
  return -1;
}

// Fixed arrays: readers call this for every record of streams with tens
// of millions of them.
bool connected(const Graph& graph) {
  bool reached[kMaxComponents] = {};
  int pending[kMaxComponents];
  int pending_count = 0;
  pending[pending_count++] = 0;
  reached[0] = true;
  int count = 1;
  while (pending_count > 0) {
    int v = pending[--pending_count];
    for (int u = 0; u < graph.K; ++u) {
      if (reached[u] || graph.adjacency[v][u] == 0) continue;
      reached[u] = true;
      ++count;
      pending[pending_count++] = u;
    }
  }
  return count == graph.K;
}

}  // namespace

int CountEdges(const Graph& graph) {
  int edges = 0;
  for (int i = 0; i < graph.K; ++i)
    for (int j = i; j < graph.K; ++j) edges += graph.adjacency[i][j];
  return edges;
}

std::string RecordProblem(const Graph& graph) {
  std::string negative = negative_count(graph);
  if (!negative.empty()) return "has a negative " + negative;
  int v = unstable_vertex(graph);
  if (v >= 0) {
    return "has an unstable vertex " + std::to_string(v) + " of genus " + std::to_string(graph.genus[v]) +
           " with " + std::to_string(special_points(graph, v)) + " special points";
  }
  if (!connected(graph)) return "is not connected";
  // The graph's own edges bound what it needs, as -C bounds a run's.
  std::string capacity = CapacityProblem(graph.g, graph.n, CountEdges(graph));
  if (!capacity.empty())
    return "is of type (" + std::to_string(graph.g) + ", " + std::to_string(graph.n) + "): " + capacity;
  return "";
}
