// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
//
// Deliberately simple and slow: nothing here is shared with the search in
// computer/, so that the two can check each other.
#include "testing/brute_force_graphs.h"

#include <algorithm>
#include <functional>
#include <numeric>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace {

/// What a vertex carries: its genus, marked points, loops and the ends of
/// edges to other vertices.
struct Decoration {
  int genus, marked, loops, degree;
  bool operator<(const Decoration& other) const {
    return std::tie(genus, marked, loops, degree) <
           std::tie(other.genus, other.marked, other.loops, other.degree);
  }
  bool operator==(const Decoration& other) const { return !(*this < other) && !(other < *this); }
  /// 2 genus - 2 + valence: at least 1 for a stable vertex, and the
  /// vertices' add up to 2g - 2 + n.
  int excess() const { return 2 * genus - 2 + marked + 2 * loops + degree; }
};

/// Every decoration a vertex of a graph of type (g, n) with K vertices
/// could have, in increasing order.
std::vector<Decoration> possible_decorations(int g, int n, int K) {
  int budget = 2 * g - 2 + n;
  std::vector<Decoration> all;
  for (int genus = 0; genus <= g; ++genus)
    for (int marked = 0; marked <= n; ++marked)
      for (int loops = 0; loops <= g; ++loops)
        for (int degree = K == 1 ? 0 : 1; degree <= (K == 1 ? 0 : budget + 2); ++degree) {
          Decoration d{genus, marked, loops, degree};
          if (d.excess() >= 1 && d.excess() <= budget) all.push_back(d);
        }
  std::sort(all.begin(), all.end());
  return all;
}

/// The edge multiplicities between distinct vertices, K x K, row by row.
using Matrix = std::vector<int>;

/// Calls found for every symmetric matrix with zero diagonal whose row v
/// adds up to degree[v].
void for_each_matrix(int K, std::vector<int> rest, const std::function<void(const Matrix&)>& found) {
  Matrix matrix(static_cast<size_t>(K * K), 0);
  std::function<void(int, int)> place = [&](int i, int j) {
    if (i >= K - 1) {
      if (K == 0 || rest[K - 1] == 0) found(matrix);
      return;
    }
    if (j >= K) {
      if (rest[i] == 0) place(i + 1, i + 2);
      return;
    }
    for (int x = 0; x <= std::min(rest[i], rest[j]); ++x) {
      matrix[i * K + j] = matrix[j * K + i] = x;
      rest[i] -= x;
      rest[j] -= x;
      place(i, j + 1);
      rest[i] += x;
      rest[j] += x;
    }
    matrix[i * K + j] = matrix[j * K + i] = 0;
  };
  place(0, 1);
}

bool connected(int K, const Matrix& matrix) {
  std::vector<bool> reached(static_cast<size_t>(K), false);
  std::vector<int> stack{0};
  reached[0] = true;
  int count = 1;
  while (!stack.empty()) {
    int u = stack.back();
    stack.pop_back();
    for (int v = 0; v < K; ++v)
      if (matrix[u * K + v] != 0 && !reached[v]) {
        reached[v] = true;
        ++count;
        stack.push_back(v);
      }
  }
  return count == K;
}

/// The graphs of one sorted list of decorations, one per isomorphism class.
void graphs_of_decorations(int g, int n, const std::vector<Decoration>& vertices, std::vector<BruteForceGraph>& out) {
  const int K = static_cast<int>(vertices.size());
  std::vector<int> degrees;
  for (const Decoration& d : vertices) degrees.push_back(d.degree);
  std::set<Matrix> seen;  // every matrix of every class found so far
  for_each_matrix(K, degrees, [&](const Matrix& matrix) {
    if (!connected(K, matrix) || seen.count(matrix) != 0) return;
    BruteForceGraph found;
    std::vector<int> permutation(static_cast<size_t>(K));
    std::iota(permutation.begin(), permutation.end(), 0);
    do {
      bool keeps = true;
      for (int v = 0; v < K; ++v) keeps = keeps && vertices[permutation[v]] == vertices[v];
      if (!keeps) continue;
      Matrix image(matrix.size());
      for (int u = 0; u < K; ++u)
        for (int v = 0; v < K; ++v) image[u * K + v] = matrix[permutation[u] * K + permutation[v]];
      if (image == matrix) found.automorphisms.push_back(permutation);
      seen.insert(image);
    } while (std::next_permutation(permutation.begin(), permutation.end()));
    Graph graph(g, n, K);
    int edges = 0;
    for (int v = 0; v < K; ++v) {
      graph.genus[v] = static_cast<int8_t>(vertices[v].genus);
      graph.marked_points[v] = static_cast<int8_t>(vertices[v].marked);
      graph.SetLoops(v, vertices[v].loops);
      edges += vertices[v].loops;
      for (int u = 0; u < K; ++u)
        if (u != v) graph.adjacency[v][u] = static_cast<int8_t>(matrix[v * K + u]);
      for (int u = v + 1; u < K; ++u) edges += matrix[v * K + u];
    }
    graph.codimension = static_cast<int8_t>(edges);
    found.graph = graph;
    out.push_back(found);
  });
}

/// Calls found for every nondecreasing list of K decorations from `all`
/// whose excesses add up to 2g - 2 + n, marked points to n, and whose genus
/// (genera + loops + edges - K + 1) is g.
void for_each_decoration_list(int g, int n, int K, const std::vector<Decoration>& all,
                              const std::function<void(const std::vector<Decoration>&)>& found) {
  std::vector<Decoration> chosen;
  std::function<void(size_t, int, int)> choose = [&](size_t from, int excess_left, int marked_left) {
    int left = K - static_cast<int>(chosen.size());
    if (left == 0) {
      if (excess_left != 0 || marked_left != 0) return;
      int genus = 0, loops = 0, ends = 0;
      for (const Decoration& d : chosen) genus += d.genus, loops += d.loops, ends += d.degree;
      if (ends % 2 == 0 && genus + loops + ends / 2 - K + 1 == g) found(chosen);
      return;
    }
    for (size_t k = from; k < all.size(); ++k) {
      const Decoration& d = all[k];
      if (d.marked > marked_left || excess_left - d.excess() < left - 1) continue;
      chosen.push_back(d);
      choose(k, excess_left - d.excess(), marked_left - d.marked);
      chosen.pop_back();
    }
  };
  choose(0, 2 * g - 2 + n, n);
}

}  // namespace

std::vector<BruteForceGraph> BruteForceStableGraphs(int g, int n) {
  std::vector<BruteForceGraph> graphs;
  if (g < 0 || n < 0 || 2 * g - 2 + n <= 0) return graphs;
  for (int K = 1; K <= 2 * g - 2 + n; ++K)
    for_each_decoration_list(g, n, K, possible_decorations(g, n, K),
                             [&](const std::vector<Decoration>& vertices) {
                               graphs_of_decorations(g, n, vertices, graphs);
                             });
  return graphs;
}

bool BruteForceIsOfModuliType(const BruteForceGraph& found, ModuliType type) {
  const Graph& graph = found.graph;
  int loops = 0, positive_genus = 0;
  for (int v = 0; v < graph.K; ++v) {
    loops += graph.loops[v];
    positive_genus += graph.genus[v] > 0 ? 1 : 0;
  }
  bool tree_like = graph.codimension - loops == graph.K - 1;
  switch (type) {
    case ModuliType::kStable: return true;
    case ModuliType::kCompactType: return tree_like && loops == 0;
    case ModuliType::kRationalTails: return tree_like && loops == 0 && positive_genus <= 1;
    case ModuliType::kTreeLike: return tree_like;
    case ModuliType::kSmooth: return graph.K == 1 && loops == 0;
  }
  return false;
}

// A labelling is the word (vertex of label 1, ..., vertex of label n); it
// is counted when no automorphism turns it into a smaller word.
mpz_class BruteForceLabelledCount(const BruteForceGraph& found) {
  const Graph& graph = found.graph;
  std::vector<int> word;
  for (int v = 0; v < graph.K; ++v) word.insert(word.end(), graph.marked_points[v], v);
  mpz_class count = 0;
  std::vector<int> image(word.size());
  do {
    bool least = true;
    for (const std::vector<int>& automorphism : found.automorphisms) {
      for (size_t l = 0; l < word.size(); ++l) image[l] = automorphism[word[l]];
      if (image < word) {
        least = false;
        break;
      }
    }
    if (least) ++count;
  } while (std::next_permutation(word.begin(), word.end()));
  return count;
}

BruteForceCounts BruteForceCountsByCodimension(const std::vector<BruteForceGraph>& graphs, int g, int n,
                                               ModuliType type) {
  BruteForceCounts counts;
  if (g < 0 || n < 0 || 2 * g - 2 + n <= 0) return counts;
  counts.graphs.assign(static_cast<size_t>(3 * g - 2 + n), 0);
  counts.labelled.assign(static_cast<size_t>(3 * g - 2 + n), 0);
  for (const BruteForceGraph& found : graphs) {
    if (!BruteForceIsOfModuliType(found, type)) continue;
    ++counts.graphs[found.graph.codimension];
    counts.labelled[found.graph.codimension] += BruteForceLabelledCount(found);
  }
  return counts;
}
