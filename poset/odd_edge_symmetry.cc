// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "poset/odd_edge_symmetry.h"

#include <stdint.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <utility>

#include "graph/colour_refinement.h"
#include "graph/nauty_graph.h"

namespace {

/// The edges of a graph without parallel edges or double loops, numbered,
/// and the sign of the permutation a vertex permutation makes of them.
struct EdgeSet {
  int count = 0;
  int16_t index[kMaxComponents][kMaxComponents];  // -1: no edge; [v][v]: the loop at v
  int ends[kMaxComponents * (kMaxComponents + 1) / 2][2];

  explicit EdgeSet(const Graph& graph) {
    for (int u = 0; u < graph.K; ++u) {
      for (int v = u; v < graph.K; ++v) {
        bool edge = u == v ? graph.loops[u] == 1 : graph.adjacency[u][v] == 1;
        index[u][v] = index[v][u] = static_cast<int16_t>(edge ? count : -1);
        if (!edge) continue;
        ends[count][0] = u;
        ends[count][1] = v;
        ++count;
      }
    }
  }

  /// Whether `perm`, an automorphism, moves the edges oddly.
  bool odd(const int* perm) const {
    bool seen[kMaxComponents * (kMaxComponents + 1) / 2] = {};
    int cycles = 0;
    for (int e = 0; e < count; ++e) {
      if (seen[e]) continue;
      ++cycles;
      for (int f = e; !seen[f]; f = index[perm[ends[f][0]]][perm[ends[f][1]]]) seen[f] = true;
    }
    return (count - cycles) % 2 == 1;
  }
};

bool has_multiple_edges(const Graph& graph) {
  for (int u = 0; u < graph.K; ++u) {
    if (graph.loops[u] >= 2) return true;
    for (int v = u + 1; v < graph.K; ++v)
      if (graph.adjacency[u][v] >= 2) return true;
  }
  return false;
}

/// Whether nauty finds an odd generator of the group of `source`, a graph
/// without parallel edges or double loops, its vertices coloured `colour`.
bool nauty_finds_odd(const Graph& source, const uint64_t* colour) {
  EdgeSet edges(source);
  return NautyGraph(source.K, colour, source.adjacency).AnyGenerator([&edges](const int* permutation) {
    return edges.odd(permutation);
  });
}

}  // namespace

bool HasOddEdgeSymmetry(const Graph& graph, bool fix_point_vertices) {
  if (has_multiple_edges(graph)) return true;
  const int K = graph.K;
  if (K <= 1) return false;
  uint64_t colour[kMaxComponents];
  for (int v = 0; v < K; ++v) {
    bool own = fix_point_vertices && graph.marked_points[v] > 0;
    colour[v] = (own ? static_cast<uint64_t>(v + 1) << 32 : 0) |
                static_cast<uint64_t>(static_cast<uint8_t>(graph.genus[v])) << 16 |
                static_cast<uint64_t>(static_cast<uint8_t>(graph.marked_points[v])) << 8 |
                static_cast<uint8_t>(graph.loops[v]);
  }
  uint64_t refined[kMaxComponents];
  std::copy(colour, colour + K, refined);
  if (RefineColours(graph, refined) == K) return false;  // no symmetry at all
  return nauty_finds_odd(graph, refined);
}
