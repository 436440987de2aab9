// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
//
// The vertices start coloured by their decoration (genus, marked points,
// loops) and, in a labelled graph, by their least label, which makes every
// vertex with labels unique.  If colour refinement then tells every vertex
// apart, the order of the refined colours is canonical; otherwise nauty
// finds a canonical labelling of the same kind of coloured simple graph
// the search's canonical form uses (graph/nauty_graph.cc): every pair
// joined by two or more edges becomes an extra vertex between the two,
// coloured by its multiplicity.
#include "poset/stratum_key.h"

#include <stdint.h>

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "graph/colour_refinement.h"
#include "graph/nauty_graph.h"

namespace {

/// The colour a vertex starts with.
uint64_t decoration(const Graph& graph, int v, const int* least_label) {
  return static_cast<uint64_t>(static_cast<uint8_t>(graph.genus[v])) << 24 |
         static_cast<uint64_t>(static_cast<uint8_t>(graph.marked_points[v])) << 16 |
         static_cast<uint64_t>(static_cast<uint8_t>(graph.loops[v])) << 8 | static_cast<uint64_t>(least_label[v]);
}

/// least_label[v]: 1 + the least label at v, or 0 for none.
void least_labels(const Graph& graph, int* least_label) {
  std::fill(least_label, least_label + graph.K, 0);
  if (!graph.labelled) return;
  for (int l = std::min(graph.n, kMaxLabels) - 1; l >= 0; --l) least_label[graph.vertex_of_label[l]] = l + 1;
}

/// A canonical order of the vertices of source through nauty, started
/// from the colours of its vertices (invariants, ordered by value).
void nauty_order(const Graph& source, const uint64_t* colour, int* order) {
  NautyGraph(source.K, colour, source.adjacency).CanonicalOrder(order);
}

/// Whether u and w are alike and joined alike to every other vertex, so
/// that swapping them is an automorphism.
bool twins(const Graph& graph, const uint64_t* colour, int u, int w) {
  if (colour[u] != colour[w]) return false;
  for (int x = 0; x < graph.K; ++x)
    if (x != u && x != w && graph.adjacency[u][x] != graph.adjacency[w][x]) return false;
  return true;
}

/// Whether the vertices of each refined colour, consecutive in `order`,
/// are pairwise twins (by their starting colours): then every permutation
/// inside a colour is an automorphism, and the description does not
/// depend on the order within the colours.  Checked pair by pair, so a
/// hash collision in the refinement cannot make it wrongly true.
bool cells_of_twins(const Graph& graph, const uint64_t* colour, const uint64_t* refined, const int* order) {
  for (int start = 0; start < graph.K;) {
    int end = start + 1;
    while (end < graph.K && refined[order[end]] == refined[order[start]]) ++end;
    for (int i = start; i < end; ++i)
      for (int j = i + 1; j < end; ++j)
        if (!twins(graph, colour, order[i], order[j])) return false;
    start = end;
  }
  return true;
}

/// The description of graph with its vertices in `order`.
std::string describe(const Graph& graph, const int* order) {
  const int K = graph.K;
  const int labels = graph.labelled ? std::min(graph.n, kMaxLabels) : 0;
  char key[1 + 3 * kMaxComponents + kMaxComponents * (kMaxComponents - 1) / 2 + kMaxLabels];
  int size = 0;
  key[size++] = static_cast<char>(K);
  for (int i = 0; i < K; ++i) {
    int v = order[i];
    key[size++] = static_cast<char>(graph.genus[v]);
    key[size++] = static_cast<char>(graph.marked_points[v]);
    key[size++] = static_cast<char>(graph.loops[v]);
  }
  for (int i = 0; i < K; ++i) {
    const int8_t* row = graph.adjacency[order[i]];
    for (int j = i + 1; j < K; ++j) key[size++] = static_cast<char>(row[order[j]]);
  }
  if (labels > 0) {
    int position[kMaxComponents];
    for (int i = 0; i < K; ++i) position[order[i]] = i;
    for (int l = 0; l < labels; ++l) key[size++] = static_cast<char>(position[graph.vertex_of_label[l]]);
  }
  return std::string(key, static_cast<size_t>(size));
}

}  // namespace

std::string StratumKey(const Graph& graph) {
  int order[kMaxComponents];
  return StratumKey(graph, order);
}

std::string StratumKey(const Graph& graph, int* order) {
  const int K = graph.K;
  int least_label[kMaxComponents];
  least_labels(graph, least_label);
  uint64_t colour[kMaxComponents];
  for (int v = 0; v < K; ++v) colour[v] = decoration(graph, v, least_label);
  for (int v = 0; v < K; ++v) order[v] = v;
  uint64_t refined[kMaxComponents];
  std::copy(colour, colour + K, refined);
  bool discrete = RefineColours(graph, refined) == K;
  // Vertices of one colour are in no canonical order among themselves,
  // which is harmless when every order of them gives the same description.
  std::sort(order, order + K, [&refined](int a, int b) { return refined[a] < refined[b]; });
  if (!discrete && !cells_of_twins(graph, colour, refined, order)) nauty_order(graph, refined, order);
  return describe(graph, order);
}

Graph GraphOfStratumKey(const std::string& key, int g, int n, bool labelled) {
  if (key.empty()) throw std::invalid_argument("an empty stratum key");
  const int K = static_cast<unsigned char>(key[0]);
  const int labels = labelled ? std::min(n, kMaxLabels) : 0;
  size_t expected = 1 + 3 * static_cast<size_t>(K) + static_cast<size_t>(K) * (K - 1) / 2 + labels;
  if (K < 1 || K > kMaxComponents || key.size() != expected) throw std::invalid_argument("a damaged stratum key");
  Graph graph(g, n, K);
  graph.labelled = labelled;
  size_t at = 1;
  int edges = 0;
  for (int v = 0; v < K; ++v) {
    graph.genus[v] = static_cast<int8_t>(key[at++]);
    graph.marked_points[v] = static_cast<int8_t>(key[at++]);
    graph.SetLoops(v, key[at++]);
    edges += graph.loops[v];
  }
  for (int u = 0; u < K; ++u)
    for (int v = u + 1; v < K; ++v) {
      graph.adjacency[u][v] = graph.adjacency[v][u] = static_cast<int8_t>(key[at++]);
      edges += graph.adjacency[u][v];
    }
  for (int l = 0; l < labels; ++l) graph.vertex_of_label[l] = static_cast<int8_t>(key[at++]);
  graph.codimension = static_cast<int8_t>(edges);
  return graph;
}
