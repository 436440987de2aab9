// Copyright 2026 The stable-graphs Authors.
//
// Canonical form of a Graph through nauty.  The decorated multigraph becomes
// a vertex-coloured simple graph: components keep their index and are
// coloured by their (genus, marked points, loops) runs; every pair joined by
// two or more edges becomes an extra vertex on the path between the two,
// coloured by its multiplicity.
#include <string.h>

#include <stdexcept>
#include <string>

#include "graph/graph.h"
#include "nauty.h"

static_assert(WORDSIZE == 32, "the canonical-form cache holds 32-bit setwords");
static_assert(MAXN == 32, "the canonical-form cache holds 32 rows");
static_assert(sizeof(setword) == sizeof(uint32_t), "setword must be 32 bits");

namespace {

/// Stops the computation when the coloured graph would not fit MAXN.
void check_colored_size(int colored_vertices) {
  if (!(colored_vertices < MAXN)) {
    throw std::length_error("a graph needs " + std::to_string(colored_vertices) +
                            " coloured vertices for its canonical form, but nauty is built for at most " +
                            std::to_string(MAXN - 1));
  }
}

}  // namespace

void Graph::ComputeDreadnaut() {
  graph packed[MAXN * MAXM];
  int lab[MAXN], ptn[MAXN], orbits[MAXN];
  int pair_vertex[kMaxComponents][kMaxComponents];
  statsblk stats;
  setword workspace[50 * MAXM];
  static DEFAULTOPTIONS_GRAPH(options);

  int max_multiplicity = 0;
  for (int u = 0; u < K; ++u)
    for (int v = u + 1; v < K; ++v)
      if (adjacency[u][v] > max_multiplicity) max_multiplicity = adjacency[u][v];

  check_colored_size(K);  // the cell array below holds MAXN entries
  nautyK = K;
  for (int i = 0; i + 1 < K; ++i) {
    bool same = genus[i] == genus[i + 1] && marked_points[i] == marked_points[i + 1] &&
                loops[i] == loops[i + 1];
    ptn[i] = same ? 1 : 0;
  }
  ptn[K - 1] = 0;

  for (int t = 2; t <= max_multiplicity; ++t) {
    for (int u = 0; u < K; ++u) {
      for (int v = u + 1; v < K; ++v) {
        if (adjacency[u][v] != t) continue;
        check_colored_size(nautyK);
        pair_vertex[u][v] = pair_vertex[v][u] = nautyK;
        ptn[nautyK] = 1;
        ++nautyK;
      }
    }
    ptn[nautyK - 1] = 0;  // closes the cell of multiplicity t
  }
  check_colored_size(nautyK);

  nautyM = (nautyK + WORDSIZE - 1) / WORDSIZE;
  memset(packed, 0, sizeof(graph) * nautyK * nautyM);
  for (int r = 0; r < K; ++r) {
    for (int s = 0; s < K; ++s) {
      if (r == s) continue;
      if (adjacency[r][s] == 1) ADDELEMENT(GRAPHROW(packed, r, nautyM), s);
      if (adjacency[r][s] > 1) ADDELEMENT(GRAPHROW(packed, r, nautyM), pair_vertex[r][s]);
    }
  }
  for (int u = 0; u < K; ++u) {
    for (int v = u + 1; v < K; ++v) {
      if (adjacency[u][v] <= 1) continue;
      ADDELEMENT(GRAPHROW(packed, pair_vertex[u][v], nautyM), u);
      ADDELEMENT(GRAPHROW(packed, pair_vertex[u][v], nautyM), v);
    }
  }

  options.getcanon = TRUE;
  options.defaultptn = FALSE;
  check_colored_size(nautyK);
  nauty_check(WORDSIZE, nautyM, nautyK, NAUTYVERSIONID);
  for (int i = 0; i < nautyK; ++i) lab[i] = i;
  nauty(packed, lab, ptn, NULL, orbits, &options, &stats, workspace, 50 * nautyM, nautyM, nautyK,
        reinterpret_cast<graph*>(nautyCanon));
}

bool Graph::Equal(Graph& other) {
  if (nautyK == -1) ComputeDreadnaut();
  if (other.nautyK == -1) other.ComputeDreadnaut();
  if (nautyK != other.nautyK) return false;
  return memcmp(nautyCanon, other.nautyCanon, sizeof(uint32_t) * nautyK * nautyM) == 0;
}

bool Graph::EqualNauty(Graph& other) { return Equal(other); }
