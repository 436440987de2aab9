// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
//
// The vertex symmetries are found in three steps: classes of twins
// (alike vertices joined alike to all others) contribute the factorials of
// their sizes and are merged; colour refinement then settles the common
// case of a graph without further symmetry (every vertex ends in a colour
// of its own); otherwise nauty computes the group of the same kind of
// coloured simple graph the canonical form uses, started from the refined
// colours.  nauty reports the order as a double, exact only up to 2^53, so
// the order is instead taken as the product of the orbit sizes that nauty
// passes to the level procedure, one per level of its first path.
#include "graph/automorphism_order.h"

#include <stdint.h>

#include <algorithm>
#include <stdexcept>
#include <string>

#include "labelled/labelled_count.h"
#include "nauty.h"

namespace {

/// Stops when the coloured graph would not fit nauty's MAXN.
void check_colored_size(int colored_vertices) {
  if (!(colored_vertices < MAXN)) {
    throw std::length_error("a graph needs " + std::to_string(colored_vertices) +
                            " coloured vertices for its automorphism group, but nauty is built for at most " +
                            std::to_string(MAXN - 1));
  }
}

/// A vertex-coloured graph with edge multiplicities, small enough for the
/// stack: the graph itself, then its quotients by twin classes.
struct ColoredGraph {
  int size = 0;
  uint64_t color[kMaxComponents];
  int8_t multiplicity[kMaxComponents][kMaxComponents];
};

/// Mixes a value into a hash (the finaliser of SplitMix64).
uint64_t mix(uint64_t value) {
  value += 0x9e3779b97f4a7c15ULL;
  value = (value ^ (value >> 30)) * 0xbf58476d1ce4e5b9ULL;
  value = (value ^ (value >> 27)) * 0x94d049bb133111ebULL;
  return value ^ (value >> 31);
}

/// Whether u and v are twins: alike, and joined alike to every other vertex.
bool twins(const ColoredGraph& graph, int u, int v) {
  if (graph.color[u] != graph.color[v]) return false;
  for (int x = 0; x < graph.size; ++x)
    if (x != u && x != v && graph.multiplicity[u][x] != graph.multiplicity[v][x]) return false;
  return true;
}

/// Replaces every class of twins by one vertex coloured by the class, its
/// size and the multiplicity between its members; returns the product of
/// the factorials of the class sizes, or 1 when there are no twins.
///
/// Being twins is an equivalence (two twin pairs sharing a vertex have the
/// same multiplicity between them), every permutation inside a class is a
/// symmetry, and the symmetries act on the classes as those of the
/// quotient: so |A| is that product times |A| of the quotient.
mpz_class merge_twins(ColoredGraph& graph) {
  int class_of[kMaxComponents];
  int leaders[kMaxComponents], sizes[kMaxComponents];
  int classes = 0;
  for (int v = 0; v < graph.size; ++v) {
    class_of[v] = -1;
    for (int c = 0; c < classes && class_of[v] < 0; ++c)
      if (twins(graph, leaders[c], v)) class_of[v] = c;
    if (class_of[v] < 0) {
      class_of[v] = classes;
      leaders[classes] = v;
      sizes[classes++] = 0;
    }
    ++sizes[class_of[v]];
  }
  if (classes == graph.size) return 1;
  mpz_class factor = 1;
  ColoredGraph quotient;
  quotient.size = classes;
  for (int c = 0; c < classes; ++c) {
    int leader = leaders[c];
    int inside = 0;
    for (int v = 0; v < graph.size; ++v)
      if (v != leader && class_of[v] == c) inside = graph.multiplicity[leader][v];
    mpz_class size_factorial;
    mpz_fac_ui(size_factorial.get_mpz_t(), static_cast<unsigned long>(sizes[c]));
    factor *= size_factorial;
    quotient.color[c] = sizes[c] == 1 ? graph.color[leader]
                                      : mix(graph.color[leader] ^ mix(static_cast<uint64_t>(sizes[c]) << 8 | inside));
    for (int d = 0; d < classes; ++d) quotient.multiplicity[c][d] = graph.multiplicity[leader][leaders[d]];
  }
  graph = quotient;
  return factor;
}

/// Numbers the distinct values of keys 0, 1, ... in ascending order.
int rank(const uint64_t* keys, int size, int* ranks) {
  uint64_t sorted[kMaxComponents];
  std::copy(keys, keys + size, sorted);
  std::sort(sorted, sorted + size);
  int distinct = static_cast<int>(std::unique(sorted, sorted + size) - sorted);
  for (int v = 0; v < size; ++v) ranks[v] = static_cast<int>(std::lower_bound(sorted, sorted + distinct, keys[v]) - sorted);
  return distinct;
}

/// Colour refinement: splits colours by the multiset of (neighbour colour,
/// multiplicity), hashed, until nothing changes.  The colours depend only
/// on the graph, so every symmetry keeps them; a hash collision could only
/// leave two colours merged, never split a class of symmetric vertices.
/// Returns the number of colours.
int refine_colors(const ColoredGraph& graph, int* colors) {
  int size = graph.size;
  // Neighbour lists: a vertex has a few neighbours, not size of them.
  int first[kMaxComponents + 1], neighbour[kMaxComponents * kMaxComponents];
  uint64_t weight[kMaxComponents * kMaxComponents];
  int entries = 0;
  for (int v = 0; v < size; ++v) {
    first[v] = entries;
    for (int w = 0; w < size; ++w) {
      if (w == v || graph.multiplicity[v][w] == 0) continue;
      neighbour[entries] = w;
      weight[entries++] = static_cast<uint8_t>(graph.multiplicity[v][w]);
    }
  }
  first[size] = entries;
  int count = rank(graph.color, size, colors);
  while (count < size) {
    uint64_t keys[kMaxComponents];
    for (int v = 0; v < size; ++v) {
      uint64_t neighbours = 0;  // a sum: the order of the neighbours does not count
      for (int k = first[v]; k < first[v + 1]; ++k)
        neighbours += mix(static_cast<uint64_t>(colors[neighbour[k]]) << 8 | weight[k]);
      keys[v] = mix(static_cast<uint64_t>(colors[v]) ^ mix(neighbours));
    }
    int refined = rank(keys, size, colors);
    if (refined <= count) break;
    count = refined;
  }
  return count;
}

thread_local mpz_class* level_product = nullptr;

/// nauty's level procedure: index is the size of the orbit of the vertex
/// fixed at this level under the stabiliser of those fixed above it.
void multiply_index(int*, int*, int, int*, statsblk*, int, int index, int, int, int, int) {
  *level_product *= index;
}

/// |A| of a coloured graph through nauty.
mpz_class nauty_order(const ColoredGraph& source, const int* colors) {
  int K = source.size;
  check_colored_size(K);
  graph packed[MAXN * MAXM] = {};
  int lab[MAXN], ptn[MAXN], orbits[MAXN];
  // Vertices first, by colour; then one vertex per pair joined by m >= 2
  // edges, by m: the path u, x, v stands for the multiple edge.
  std::pair<int, int> cells[MAXN];  // (colour, or K + m for an edge vertex; vertex)
  for (int v = 0; v < K; ++v) cells[v] = {colors[v], v};
  int colored = K;
  for (int u = 0; u < K; ++u) {
    for (int v = u + 1; v < K; ++v) {
      int m = source.multiplicity[u][v];
      if (m == 1) {
        ADDELEMENT(GRAPHROW(packed, u, 1), v);
        ADDELEMENT(GRAPHROW(packed, v, 1), u);
      } else if (m > 1) {
        check_colored_size(colored + 1);
        int x = colored++;
        cells[x] = {K + m, x};
        ADDELEMENT(GRAPHROW(packed, u, 1), x);
        ADDELEMENT(GRAPHROW(packed, v, 1), x);
        ADDELEMENT(GRAPHROW(packed, x, 1), u);
        ADDELEMENT(GRAPHROW(packed, x, 1), v);
      }
    }
  }
  std::sort(cells, cells + colored);
  for (int i = 0; i < colored; ++i) {
    lab[i] = cells[i].second;
    ptn[i] = i + 1 < colored && cells[i + 1].first == cells[i].first ? 1 : 0;
  }
  DEFAULTOPTIONS_GRAPH(options);
  options.defaultptn = FALSE;
  options.userlevelproc = multiply_index;
  statsblk stats;
  setword workspace[50 * MAXM];
  mpz_class order = 1;
  level_product = &order;
  nauty_check(WORDSIZE, 1, colored, NAUTYVERSIONID);
  nauty(packed, lab, ptn, NULL, orbits, &options, &stats, workspace, 50, 1, colored, NULL);
  level_product = nullptr;
  return order;
}

/// n! for a small n.
mpz_class factorial(int n) {
  mpz_class result;
  mpz_fac_ui(result.get_mpz_t(), n > 0 ? static_cast<unsigned long>(n) : 0);
  return result;
}

}  // namespace

mpz_class VertexSymmetryOrder(const Graph& graph) {
  if (graph.K <= 1) return 1;
  ColoredGraph colored;
  colored.size = graph.K;
  for (int v = 0; v < graph.K; ++v) {
    colored.color[v] = static_cast<uint64_t>(static_cast<uint8_t>(graph.genus[v])) << 16 |
                       static_cast<uint64_t>(static_cast<uint8_t>(graph.marked_points[v])) << 8 |
                       static_cast<uint8_t>(graph.loops[v]);
    for (int w = 0; w < graph.K; ++w) colored.multiplicity[v][w] = v == w ? 0 : graph.adjacency[v][w];
  }
  int colors[kMaxComponents];
  if (refine_colors(colored, colors) == colored.size) return 1;  // the common case
  mpz_class order = 1;
  while (colored.size > 1) {
    mpz_class factor = merge_twins(colored);
    if (factor == 1) break;
    order *= factor;
  }
  if (colored.size <= 1 || refine_colors(colored, colors) == colored.size) return order;
  return order * nauty_order(colored, colors);
}

// A labelled graph's automorphisms fix every label, hence every vertex with
// points and every leg.
mpz_class AutomorphismOrder(const Graph& graph) {
  mpz_class order = graph.labelled ? PointFixingSymmetryOrder(graph) : VertexSymmetryOrder(graph);
  for (int v = 0; v < graph.K; ++v) {
    order *= factorial(graph.loops[v]) * factorial(graph.labelled ? 0 : graph.marked_points[v]);
    order <<= graph.loops[v];
    for (int w = v + 1; w < graph.K; ++w) order *= factorial(graph.adjacency[v][w]);
  }
  return order;
}
