// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_MODULI_GRAPH_BOUNDS_H_
#define STABLE_GRAPHS_MODULI_GRAPH_BOUNDS_H_

#include <optional>

#include "graph/graph.h"

/// Bounds on the graphs a search makes, besides its moduli type.  The
/// homology of the boundary complex needs only the graphs without parallel
/// edges or double loops (the others' cells vanish), and its relative
/// chains only those whose vertices all have genus 0 and carry no loop;
/// a search within such bounds makes far fewer candidates.
struct GraphBounds {
  /// The most edges between two distinct vertices.
  std::optional<int> max_multiplicity;
  /// The most loops at one vertex.
  std::optional<int> max_loops;
  /// Every vertex of genus 0.
  bool rational_vertices = false;

  /// Whether no bound is set: every stable graph is within.
  bool none() const { return !max_multiplicity && !max_loops && !rational_vertices; }
  bool operator==(const GraphBounds& other) const {
    return max_multiplicity == other.max_multiplicity && max_loops == other.max_loops &&
           rational_vertices == other.rational_vertices;
  }
};

/// Whether the description of `graph` keeps every bound.
bool IsWithinBounds(const Graph& graph, const GraphBounds& bounds);

#endif  // STABLE_GRAPHS_MODULI_GRAPH_BOUNDS_H_
