// Copyright 2026 The stable-graphs Authors.
#ifndef STABLE_GRAPHS_LABELLED_LABELLED_TEST_SUPPORT_H_
#define STABLE_GRAPHS_LABELLED_LABELLED_TEST_SUPPORT_H_

#include <string>
#include <vector>

#include "graph/graph.h"

/// Every graph of type (g, n) as the enumerator hands them to a printer.
std::vector<Graph> AllGraphs(int g, int n);

/// A record of genus.size() components; `pairs` holds the multiplicities of
/// the pairs (0,1), (0,2), ..., (K-2,K-1) row by row, missing ones are 0.
Graph MakeGraph(const std::vector<int>& genus, const std::vector<int>& marks, const std::vector<int>& loops,
                const std::vector<int>& pairs = {});

/// The vertex automorphisms of a graph found by trying every permutation
/// (small K only): each maps vertex v to permutation[v].
std::vector<std::vector<int>> BruteForceAutomorphisms(const Graph& graph);

/// Every canonical labelling of a graph found by brute force: of each orbit
/// of words (vertex of label 1, ..., vertex of label n) under the
/// automorphisms, the least word; sorted.
std::vector<std::vector<int>> BruteForceCanonicalWords(const Graph& graph);

/// A one-line description of a graph for test messages.
std::string Describe(const Graph& graph);

#endif  // STABLE_GRAPHS_LABELLED_LABELLED_TEST_SUPPORT_H_
