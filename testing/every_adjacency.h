// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_TESTING_EVERY_ADJACENCY_H_
#define STABLE_GRAPHS_TESTING_EVERY_ADJACENCY_H_

#include <vector>

#include "computer/partial_graph.h"
#include "graph/graph.h"

/// Every graph with the vertices and decorations of `decoration` (sorted)
/// and each pair of distinct vertices joined by 0 .. max_multiplicity
/// edges, in ascending order of the upper triangle read row by row: the
/// order an edge task meets its candidates in.  Each carries its pairs per
/// multiplicity above 0, as the search counts them.
std::vector<PartialGraph> EveryAdjacency(const Graph& decoration, int max_multiplicity);

/// Every order of the vertices that keeps each block of equal decoration
/// in place, found by permuting the blocks one by one.
std::vector<std::vector<int>> BlockPermutations(const Graph& graph);

/// -1, 0 or 1 as the upper triangle of `graph` relabelled by `order` (the
/// vertex at position p taken from order[p]) is below, equal to or above
/// the graph's own.
int CompareRelabelled(const Graph& graph, const std::vector<int>& order);

/// Whether no relabelling within the blocks gives a smaller upper
/// triangle, found by trying every one.
bool IsLeastByBruteForce(const Graph& graph);

/// Whether some relabelling of `a` within the blocks has `b`'s upper
/// triangle; both share their decorations.
bool SameClassByBruteForce(const Graph& a, const Graph& b);

#endif  // STABLE_GRAPHS_TESTING_EVERY_ADJACENCY_H_
