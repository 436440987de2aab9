// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_TESTING_BRUTE_FORCE_GRAPHS_H_
#define STABLE_GRAPHS_TESTING_BRUTE_FORCE_GRAPHS_H_

#include <gmpxx.h>

#include <vector>

#include "graph/graph.h"
#include "moduli/moduli_type.h"

/// One stable graph found by BruteForceStableGraphs, with its vertex
/// automorphisms.
struct BruteForceGraph {
  /// The description: g, n, K, genus, marked_points, loops, adjacency (the
  /// diagonal the loops) and codimension; vertices sorted by decoration.
  Graph graph{-1, -1, -1};
  /// Every vertex permutation (vertex v to permutation[v]) that keeps the
  /// description.
  std::vector<std::vector<int>> automorphisms;
};

/// Every stable graph of type (g, n), one per isomorphism class, found
/// without the tool's search: every multiset of vertex decorations (genus,
/// marked points, loops, edges to other vertices) that stability and the
/// genus allow, every matrix of edge multiplicities with those row sums,
/// the connected ones kept, and isomorphic ones told apart by their least
/// adjacency matrix over all vertex permutations that keep the decorations.
/// Meant for small types (K! permutations per graph: K <= 7 or so).
std::vector<BruteForceGraph> BruteForceStableGraphs(int g, int n);

/// Whether the graph is of the moduli type, decided from its numbers of
/// vertices, edges and loops alone (a connected graph with K - 1 edges
/// between distinct vertices has them forming a tree).
bool BruteForceIsOfModuliType(const BruteForceGraph& graph, ModuliType type);

/// The labelled graphs over the graph, counted by enumerating every way to
/// hand the labels 1 .. n to its vertices and keeping one per orbit under
/// the automorphisms.
mpz_class BruteForceLabelledCount(const BruteForceGraph& graph);

/// Per codimension (0 .. 3g - 3 + n), the graphs of type (g, n) and the
/// moduli type, and the labelled graphs over them.
struct BruteForceCounts {
  std::vector<long long> graphs;
  std::vector<mpz_class> labelled;
};

/// BruteForceStableGraphs of (g, n) filtered by BruteForceIsOfModuliType,
/// counted per codimension; empty for an unstable type.
BruteForceCounts BruteForceCountsByCodimension(const std::vector<BruteForceGraph>& graphs, int g, int n,
                                               ModuliType type);

#endif  // STABLE_GRAPHS_TESTING_BRUTE_FORCE_GRAPHS_H_
