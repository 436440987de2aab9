// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_TESTING_LABELLED_TEST_SUPPORT_H_
#define STABLE_GRAPHS_TESTING_LABELLED_TEST_SUPPORT_H_

#include <string>
#include <vector>

#include "graph/graph.h"
#include "testing/test_support.h"  // AllGraphs, MakeGraph

/// The vertex automorphisms of a graph found by trying every permutation
/// (small K only): each maps vertex v to permutation[v].
std::vector<std::vector<int>> BruteForceAutomorphisms(const Graph& graph);

/// Every canonical labelling of a graph found by brute force: of each orbit
/// of words (vertex of label 1, ..., vertex of label n) under the
/// automorphisms, the least word; sorted.
std::vector<std::vector<int>> BruteForceCanonicalWords(const Graph& graph);

/// A one-line description of a graph for test messages.
std::string Describe(const Graph& graph);

#endif  // STABLE_GRAPHS_TESTING_LABELLED_TEST_SUPPORT_H_
