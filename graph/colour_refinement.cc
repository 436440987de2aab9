// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "graph/colour_refinement.h"

#include <algorithm>

#include "graph/hash_mix.h"

ColourRefinement::ColourRefinement(int size, const uint64_t* colour, const int8_t (*multiplicity)[kMaxComponents])
    : size_(size) {
  int entries = 0;
  for (int v = 0; v < size; ++v) {
    colour_[v] = colour[v];
    first_[v] = entries;
    for (int w = 0; w < size; ++w) {
      if (w == v || multiplicity[v][w] == 0) continue;
      neighbour_[entries] = w;
      weight_[entries++] = static_cast<uint8_t>(multiplicity[v][w]);
    }
  }
  first_[size] = entries;
  distinct_ = count_distinct(colour_);
}

bool ColourRefinement::Round() {
  if (distinct_ == size_) return false;
  uint64_t next[kMaxComponents];
  for (int v = 0; v < size_; ++v) {
    uint64_t neighbours = 0;  // a sum: the order of the neighbours does not count
    for (int k = first_[v]; k < first_[v + 1]; ++k) neighbours += MixBits(colour_[neighbour_[k]] ^ weight_[k]);
    next[v] = MixBits(colour_[v] ^ MixBits(neighbours));
  }
  // A new colour is a function of the old one, so the classes can only
  // split; the same count means nothing changed.
  int refined = count_distinct(next);
  if (refined <= distinct_) return false;
  distinct_ = refined;
  std::copy(next, next + size_, colour_);
  return true;
}

bool ColourRefinement::Alone(uint64_t vertices) const {
  if (distinct_ == size_) return true;
  for (int v = 0; v < size_; ++v) {
    if (!(vertices >> v & 1)) continue;
    for (int u = 0; u < size_; ++u)
      if (u != v && colour_[u] == colour_[v]) return false;
  }
  return true;
}

int ColourRefinement::count_distinct(const uint64_t* colour) const {
  uint64_t sorted[kMaxComponents];
  std::copy(colour, colour + size_, sorted);
  std::sort(sorted, sorted + size_);
  return static_cast<int>(std::unique(sorted, sorted + size_) - sorted);
}

int RefineColours(const Graph& graph, uint64_t* colour) {
  ColourRefinement refinement(graph.K, colour, graph.adjacency);
  refinement.Finish();
  for (int v = 0; v < graph.K; ++v) colour[v] = refinement.colour(v);
  return refinement.distinct();
}

uint64_t DecorationColour(const Graph& graph, int v) {
  return static_cast<uint64_t>(static_cast<uint8_t>(graph.genus[v])) << 16 |
         static_cast<uint64_t>(static_cast<uint8_t>(graph.marked_points[v])) << 8 |
         static_cast<uint8_t>(graph.loops[v]);
}

bool RefinementSeparates(const Graph& graph, uint64_t individualised, uint64_t targets) {
  const int K = graph.K;
  const uint64_t all = ~uint64_t{0} >> (64 - K);
  // A vertex individualised has a colour of its own from the start.
  if ((targets & all & ~individualised) == 0) return true;
  uint64_t colour[kMaxComponents];
  for (int v = 0; v < K; ++v) {
    uint64_t own = individualised >> v & 1 ? uint64_t{static_cast<unsigned>(v) + 1} << 32 : 0;
    colour[v] = own | DecorationColour(graph, v);
  }
  ColourRefinement refinement(K, colour, graph.adjacency);
  do {
    if (refinement.Alone(targets & all)) return true;
  } while (refinement.Round());
  return false;
}
