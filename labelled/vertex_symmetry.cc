// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "labelled/vertex_symmetry.h"

#include <math.h>
#include <string.h>

#include <algorithm>
#include <stdexcept>
#include <string>

#include "nauty.h"

static_assert(WORDSIZE == 32 && MAXN == 32 && MAXM == 1, "one 32-bit setword per row");
static_assert(sizeof(setword) == sizeof(uint32_t), "setword must be 32 bits");

namespace {

/// Orders vertices by (genus, marked points, loops).
int64_t decoration(const Graph& graph, int v) {
  return (int64_t{graph.genus[v]} << 32) | (int64_t{static_cast<uint8_t>(graph.marked_points[v])} << 16) |
         static_cast<uint8_t>(graph.loops[v]);
}

}  // namespace

VertexSymmetry::VertexSymmetry(const Graph& graph) : K_(graph.K), vertices_(graph.K) {
  if (K_ < 1 || K_ > MAXN) throw std::length_error("a graph of " + std::to_string(K_) + " vertices has no symmetry group here");
  memset(rows_, 0, sizeof(rows_));
  for (int u = 0; u < K_; ++u) {
    for (int v = u + 1; v < K_; ++v) {
      int t = graph.adjacency[u][v];
      if (t == 1) {
        ADDELEMENT(&rows_[u], v);
        ADDELEMENT(&rows_[v], u);
      } else if (t > 1) {
        // Two or more edges: the path u, x, v through an extra vertex x
        // coloured by the multiplicity.
        if (vertices_ == MAXN) {
          throw std::length_error("a graph needs more than " + std::to_string(MAXN) +
                                  " coloured vertices for its symmetry group");
        }
        int x = vertices_++;
        multiplicity_[x] = t;
        ADDELEMENT(&rows_[u], x);
        ADDELEMENT(&rows_[v], x);
        ADDELEMENT(&rows_[x], u);
        ADDELEMENT(&rows_[x], v);
      }
    }
  }
  for (int v = 0; v < K_; ++v) by_decoration_[v] = v;
  std::stable_sort(by_decoration_, by_decoration_ + K_,
                   [&graph](int a, int b) { return decoration(graph, a) < decoration(graph, b); });
  for (int i = 0; i + 1 < K_; ++i)
    same_as_next_[i] = decoration(graph, by_decoration_[i]) == decoration(graph, by_decoration_[i + 1]);
  same_as_next_[K_ - 1] = false;
}

void VertexSymmetry::Fix(uint64_t fixed) {
  int lab[MAXN], ptn[MAXN], orbits[MAXN];
  statsblk stats;
  setword workspace[50 * MAXM];
  DEFAULTOPTIONS_GRAPH(options);
  options.getcanon = FALSE;
  options.defaultptn = FALSE;

  // Cells: each fixed vertex alone, then the other vertices by decoration,
  // then the extra vertices by multiplicity.
  int size = 0;
  for (int v = 0; v < K_; ++v) {
    if (fixed >> v & 1) {
      lab[size] = v;
      ptn[size++] = 0;
    }
  }
  int last_free = -1;  // position of the last free vertex placed
  for (int i = 0; i < K_; ++i) {
    int v = by_decoration_[i];
    if (fixed >> v & 1) continue;
    lab[size] = v;
    ptn[size] = 0;
    // Vertices between two free ones in the sorted order that are fixed
    // share the decoration too, so the run decides.
    if (last_free >= 0) {
      bool same = true;
      for (int k = last_free; k < i; ++k) same = same && same_as_next_[k];
      if (same) ptn[size - 1] = 1;
    }
    last_free = i;
    ++size;
  }
  int first_extra = size;
  for (int x = K_; x < vertices_; ++x) lab[size++] = x;
  std::sort(lab + first_extra, lab + size, [this](int a, int b) { return multiplicity_[a] < multiplicity_[b]; });
  for (int i = first_extra; i < size; ++i)
    ptn[i] = i + 1 < size && multiplicity_[lab[i]] == multiplicity_[lab[i + 1]] ? 1 : 0;

  nauty(reinterpret_cast<graph*>(rows_), lab, ptn, NULL, orbits, &options, &stats, workspace, 50 * MAXM, 1, vertices_,
        NULL);
  group_size_ = stats.grpsize1;
  group_exponent_ = stats.grpsize2;
  moved_vertices_ = 0;
  for (int v = 0; v < K_; ++v) orbit_size_[v] = 0;
  for (int v = 0; v < K_; ++v) {
    orbit_[v] = orbits[v];
    ++orbit_size_[orbits[v]];
  }
  for (int v = 0; v < K_; ++v)
    if (orbit_size_[orbit_[v]] > 1) ++moved_vertices_;
}

// nauty's order is exact while its mantissa has not been scaled down
// (below 10^10, a product of small integers); beyond that the order is
// built up along a chain of stabilisers, by the orbit-stabiliser theorem.
mpz_class VertexSymmetry::Order(uint64_t fixed) {
  mpz_class order = 1;
  for (;;) {
    Fix(fixed);
    if (group_exponent_ == 0) return order * static_cast<unsigned long>(llround(group_size_));
    int moved = 0;
    while (orbit_size(moved) == 1) ++moved;  // the group is not trivial
    order *= orbit_size(moved);
    fixed |= uint64_t{1} << moved;
  }
}
