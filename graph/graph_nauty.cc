// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
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
static_assert(MAXN == kMaxColoredVertices, "the canonical-form cache holds MAXN rows");
static_assert(sizeof(setword) == sizeof(uint32_t), "setword must be 32 bits");

namespace {

/// Stops the computation when the coloured graph would not fit MAXN.
void check_colored_size(int colored_vertices) {
  if (colored_vertices > MAXN) {
    throw std::length_error("a graph needs " + std::to_string(colored_vertices) +
                            " coloured vertices for its canonical form, but nauty is built for at most " +
                            std::to_string(MAXN));
  }
}

}  // namespace

void Graph::ComputeDreadnaut() {
  graph packed[MAXN * MAXM];
  int lab[MAXN], ptn[MAXN], orbits[MAXN];
  statsblk stats;
  setword workspace[50 * MAXM];
  // A fresh options block per call: several threads may canonicalise at once.
  DEFAULTOPTIONS_GRAPH(options);

  // The pairs joined by t >= 2 edges; each gets an edge vertex, numbered by
  // ascending t and, for equal t, in row-by-row order.
  struct Pair {
    int t, u, v;
  };
  Pair multiple[MAXN];
  int multiple_count = 0;
  check_colored_size(K);  // the cell array below holds MAXN entries
  nautyK = K;
  nautyM = 1;
  memset(packed, 0, sizeof(packed));
  for (int u = 0; u < K; ++u) {
    for (int v = u + 1; v < K; ++v) {
      int t = adjacency[u][v];
      if (t == 1) {
        ADDELEMENT(GRAPHROW(packed, u, 1), v);
        ADDELEMENT(GRAPHROW(packed, v, 1), u);
      } else if (t > 1) {
        check_colored_size(K + multiple_count + 1);  // every edge vertex fits a row
        // Insertion keeps the order stable: after the pairs of equal t.
        int k = multiple_count++;
        for (; k > 0 && multiple[k - 1].t > t; --k) multiple[k] = multiple[k - 1];
        multiple[k] = Pair{t, u, v};
      }
    }
  }

  // Cells: one per run of components with equal (genus, marked points,
  // loops), in vertex order, then one per multiplicity that occurs.
  for (int i = 0; i + 1 < K; ++i) {
    bool same = genus[i] == genus[i + 1] && marked_points[i] == marked_points[i + 1] &&
                loops[i] == loops[i + 1];
    ptn[i] = same ? 1 : 0;
  }
  ptn[K - 1] = 0;
  for (int k = 0; k < multiple_count; ++k) {
    int x = nautyK++;
    int u = multiple[k].u, v = multiple[k].v;
    // A cell per multiplicity: it closes where the next pair's t differs.
    ptn[x] = k + 1 < multiple_count && multiple[k + 1].t == multiple[k].t ? 1 : 0;
    // A multiple edge becomes the path u, x, v through its edge vertex.
    ADDELEMENT(GRAPHROW(packed, u, 1), x);
    ADDELEMENT(GRAPHROW(packed, v, 1), x);
    ADDELEMENT(GRAPHROW(packed, x, 1), u);
    ADDELEMENT(GRAPHROW(packed, x, 1), v);
  }
  check_colored_size(nautyK);
  nautyM = (nautyK + WORDSIZE - 1) / WORDSIZE;

  options.getcanon = TRUE;
  options.defaultptn = FALSE;
  nauty_check(WORDSIZE, nautyM, nautyK, NAUTYVERSIONID);
  for (int i = 0; i < nautyK; ++i) lab[i] = i;
  nauty(packed, lab, ptn, NULL, orbits, &options, &stats, workspace, 50 * nautyM, nautyM, nautyK,
        reinterpret_cast<graph*>(nautyCanon));
  for (int v = 0; v < K; ++v) nautyOrbits[v] = static_cast<int8_t>(orbits[v]);
  nautyGroupSize = stats.grpsize1;
  nautyGroupExponent = stats.grpsize2;
}

bool Graph::Equal(Graph& other) {
  if (nautyK == -1) ComputeDreadnaut();
  if (other.nautyK == -1) other.ComputeDreadnaut();
  if (nautyK != other.nautyK) return false;
  return memcmp(nautyCanon, other.nautyCanon, sizeof(uint32_t) * nautyK * nautyM) == 0;
}

bool Graph::EqualNauty(Graph& other) { return Equal(other); }
