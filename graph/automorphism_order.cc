// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
//
// The vertex symmetries are found in two steps: colour refinement alone
// settles the common case of a graph without any (every vertex ends in a
// colour of its own); otherwise nauty computes the group of the same
// coloured simple graph the canonical form uses, started from the refined
// colours.  nauty reports the order as a double, exact only up to 2^53, so
// the order is instead taken as the product of the orbit sizes that nauty
// passes to the level procedure, one per level of its first path.
#include "graph/automorphism_order.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

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

/// Ranks the vertices by key: equal keys get equal colours 0, 1, ...
template <typename Key>
int rank_colors(const std::vector<Key>& keys, std::vector<int>& colors) {
  std::vector<Key> sorted = keys;
  std::sort(sorted.begin(), sorted.end());
  sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
  for (size_t v = 0; v < keys.size(); ++v)
    colors[v] = static_cast<int>(std::lower_bound(sorted.begin(), sorted.end(), keys[v]) - sorted.begin());
  return static_cast<int>(sorted.size());
}

/// Colour refinement: starts from (genus, marked points, loops) and splits
/// colours by the multiset of (neighbour colour, multiplicity) until
/// nothing changes.  Every vertex symmetry keeps the final colours.
/// Returns the number of colours.
int refine_colors(const Graph& graph, std::vector<int>& colors) {
  int K = graph.K;
  std::vector<std::tuple<int, int, int>> start(K);
  for (int v = 0; v < K; ++v) start[v] = std::make_tuple(graph.genus[v], graph.marked_points[v], graph.loops[v]);
  int count = rank_colors(start, colors);
  while (count < K) {
    std::vector<std::vector<int>> keys(K);
    for (int v = 0; v < K; ++v) {
      keys[v].push_back(colors[v]);
      std::vector<int> neighbours;
      for (int w = 0; w < K; ++w)
        if (w != v && graph.adjacency[v][w] != 0) neighbours.push_back(colors[w] * 256 + graph.adjacency[v][w]);
      std::sort(neighbours.begin(), neighbours.end());
      keys[v].insert(keys[v].end(), neighbours.begin(), neighbours.end());
    }
    int refined = rank_colors(keys, colors);
    if (refined == count) break;
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

/// |A| of a graph whose refined colours are not all distinct.
mpz_class nauty_order(const Graph& source, const std::vector<int>& colors) {
  int K = source.K;
  check_colored_size(K);
  graph packed[MAXN * MAXM] = {};
  int lab[MAXN], ptn[MAXN], orbits[MAXN];
  // Component vertices first, by colour; then one vertex per pair joined
  // by m >= 2 edges, by m: the path u, x, v stands for the multiple edge.
  std::vector<std::pair<int, int>> cells;  // (colour or K + m, vertex)
  for (int v = 0; v < K; ++v) cells.emplace_back(colors[v], v);
  int colored = K;
  for (int u = 0; u < K; ++u) {
    for (int v = u + 1; v < K; ++v) {
      int m = source.adjacency[u][v];
      if (m == 1) {
        ADDELEMENT(GRAPHROW(packed, u, 1), v);
        ADDELEMENT(GRAPHROW(packed, v, 1), u);
      } else if (m > 1) {
        check_colored_size(colored + 1);
        int x = colored++;
        cells.emplace_back(K + m, x);
        ADDELEMENT(GRAPHROW(packed, u, 1), x);
        ADDELEMENT(GRAPHROW(packed, v, 1), x);
        ADDELEMENT(GRAPHROW(packed, x, 1), u);
        ADDELEMENT(GRAPHROW(packed, x, 1), v);
      }
    }
  }
  std::sort(cells.begin(), cells.end());
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
  std::vector<int> colors(graph.K);
  if (refine_colors(graph, colors) == graph.K) return 1;
  return nauty_order(graph, colors);
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
