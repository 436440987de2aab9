// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "poset/colour_refinement.h"

#include <algorithm>

uint64_t MixColour(uint64_t value) {
  value += 0x9e3779b97f4a7c15ULL;
  value = (value ^ (value >> 30)) * 0xbf58476d1ce4e5b9ULL;
  value = (value ^ (value >> 27)) * 0x94d049bb133111ebULL;
  return value ^ (value >> 31);
}

namespace {

int distinct_colours(int K, const uint64_t* colour) {
  uint64_t sorted[kMaxComponents];
  std::copy(colour, colour + K, sorted);
  std::sort(sorted, sorted + K);
  return static_cast<int>(std::unique(sorted, sorted + K) - sorted);
}

}  // namespace

int RefineColours(const Graph& graph, uint64_t* colour) {
  const int K = graph.K;
  int distinct = distinct_colours(K, colour);
  if (distinct == K) return K;
  // Neighbour lists: a vertex has a few neighbours, not K of them.
  int first[kMaxComponents + 1], neighbour[kMaxComponents * kMaxComponents];
  uint64_t multiplicity[kMaxComponents * kMaxComponents];
  int entries = 0;
  for (int v = 0; v < K; ++v) {
    first[v] = entries;
    // Without branches: whether a pair is joined is hard to predict.
    for (int w = 0; w < K; ++w) {
      neighbour[entries] = w;
      multiplicity[entries] = static_cast<uint8_t>(graph.adjacency[v][w]);
      entries += (w != v) & (graph.adjacency[v][w] != 0);
    }
  }
  first[K] = entries;
  uint64_t next[kMaxComponents];
  while (distinct < K) {
    for (int v = 0; v < K; ++v) {
      // A sum, so that the order of the neighbours does not count; one
      // multiplication per edge keeps a round cheap.
      uint64_t neighbours = 0;
      for (int k = first[v]; k < first[v + 1]; ++k)
        neighbours += (colour[neighbour[k]] + multiplicity[k]) * 0x9e3779b97f4a7c15ULL;
      next[v] = MixColour(colour[v] ^ MixColour(neighbours));
    }
    int refined = distinct_colours(K, next);
    if (refined <= distinct) break;
    distinct = refined;
    std::copy(next, next + K, colour);
  }
  return distinct;
}
