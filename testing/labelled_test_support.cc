// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
//
// Brute-force references for the labelled tests: they try every vertex
// permutation and every word, sharing no code with the search they check.
#include "testing/labelled_test_support.h"

#include <algorithm>
#include <numeric>
#include <set>

std::vector<std::vector<int>> BruteForceAutomorphisms(const Graph& graph) {
  std::vector<int> permutation(graph.K);
  std::iota(permutation.begin(), permutation.end(), 0);
  std::vector<std::vector<int>> group;
  do {
    bool keeps = true;
    for (int u = 0; u < graph.K && keeps; ++u) {
      int image = permutation[u];
      keeps = graph.genus[u] == graph.genus[image] && graph.marked_points[u] == graph.marked_points[image];
      for (int v = 0; v < graph.K && keeps; ++v) keeps = graph.adjacency[u][v] == graph.adjacency[image][permutation[v]];
    }
    if (keeps) group.push_back(permutation);
  } while (std::next_permutation(permutation.begin(), permutation.end()));
  return group;
}

std::vector<std::vector<int>> BruteForceCanonicalWords(const Graph& graph) {
  std::vector<std::vector<int>> group = BruteForceAutomorphisms(graph);
  std::vector<int> word;
  for (int v = 0; v < graph.K; ++v) word.insert(word.end(), graph.marked_points[v], v);
  std::set<std::vector<int>> least;
  do {
    std::vector<int> best = word;
    for (const std::vector<int>& permutation : group) {
      std::vector<int> image(word.size());
      for (size_t i = 0; i < word.size(); ++i) image[i] = permutation[word[i]];
      best = std::min(best, image);
    }
    least.insert(best);
  } while (std::next_permutation(word.begin(), word.end()));
  return std::vector<std::vector<int>>(least.begin(), least.end());
}

std::string Describe(const Graph& graph) {
  std::string text = "K=" + std::to_string(graph.K);
  for (int v = 0; v < graph.K; ++v)
    text += " (" + std::to_string(graph.genus[v]) + "," + std::to_string(graph.marked_points[v]) + "," +
            std::to_string(graph.loops[v]) + ")";
  text += " pairs";
  for (int i = 0; i < graph.K; ++i)
    for (int j = i + 1; j < graph.K; ++j) text += " " + std::to_string(graph.adjacency[i][j]);
  return text;
}
