// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "labelled/canonical_labellings.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "labelled/labelled_count.h"

CanonicalLabellings::CanonicalLabellings(const Graph& graph) : graph_(graph) {}

void CanonicalLabellings::ForEach(const std::function<void(const int8_t* word)>& visit) {
  if (graph_.n > kMaxLabels || graph_.n < 0) {
    throw std::length_error("a graph with " + std::to_string(graph_.n) + " marked points has more labels than " +
                            std::to_string(kMaxLabels));
  }
  visit_ = &visit;
  for (int v = 0; v < graph_.K; ++v) remaining_[v] = graph_.marked_points[v];
  if (PointVerticesObviouslyFixed(graph_)) {
    free_suffix(0);
    return;
  }
  if (!symmetry_) symmetry_ = std::make_unique<VertexSymmetry>(graph_);
  symmetry_->Fix(0);
  int orbit[kMaxComponents], orbit_size[kMaxComponents];
  for (int v = 0; v < graph_.K; ++v) {
    orbit[v] = symmetry_->orbit(v);
    orbit_size[v] = symmetry_->orbit_size(v);
  }
  extend(0, 0, orbit, orbit_size);
}

// The same rule as extend, letter by letter: each letter is the least of its
// orbit under the subgroup fixing the letters before it, until that subgroup
// moves no vertex still to be used.
bool CanonicalLabellings::IsCanonical(const int8_t* word) {
  if (PointVerticesObviouslyFixed(graph_)) return true;
  for (int v = 0; v < graph_.K; ++v) remaining_[v] = graph_.marked_points[v];
  if (!symmetry_) symmetry_ = std::make_unique<VertexSymmetry>(graph_);
  uint64_t fixed = 0;
  symmetry_->Fix(fixed);
  int orbit_size[kMaxComponents];
  for (int i = 0; i < graph_.n; ++i) {
    for (int v = 0; v < graph_.K; ++v) orbit_size[v] = symmetry_->orbit_size(v);
    if (acts_trivially_on_remaining(orbit_size)) return true;
    int u = word[i];
    if (symmetry_->orbit(u) != u) return false;
    --remaining_[u];
    uint64_t with_u = fixed | uint64_t{1} << u;
    if (with_u != fixed) symmetry_->Fix(fixed = with_u);
  }
  return true;
}

// `orbit` and `orbit_size` describe the subgroup fixing the vertices in
// `fixed`, which are those of word_[0 .. i).
void CanonicalLabellings::extend(int i, uint64_t fixed, const int* orbit, const int* orbit_size) {
  if (acts_trivially_on_remaining(orbit_size)) {
    free_suffix(i);
    return;
  }
  for (int u = 0; u < graph_.K; ++u) {
    if (remaining_[u] == 0 || orbit[u] != u) continue;
    word_[i] = static_cast<int8_t>(u);
    --remaining_[u];
    uint64_t with_u = fixed | uint64_t{1} << u;
    if (with_u == fixed) {
      extend(i + 1, fixed, orbit, orbit_size);
    } else {
      symmetry_->Fix(with_u);
      int next_orbit[kMaxComponents], next_size[kMaxComponents];
      for (int v = 0; v < graph_.K; ++v) {
        next_orbit[v] = symmetry_->orbit(v);
        next_size[v] = symmetry_->orbit_size(v);
      }
      extend(i + 1, with_u, next_orbit, next_size);
    }
    ++remaining_[u];
  }
}

// Every word of the remaining letters is canonical: they come in
// increasing order as the permutations of the sorted letters.
void CanonicalLabellings::free_suffix(int i) {
  int at = i;
  for (int v = 0; v < graph_.K; ++v)
    for (int k = 0; k < remaining_[v]; ++k) word_[at++] = static_cast<int8_t>(v);
  do {
    (*visit_)(word_);
  } while (std::next_permutation(word_ + i, word_ + graph_.n));
}

bool CanonicalLabellings::acts_trivially_on_remaining(const int* orbit_size) const {
  for (int v = 0; v < graph_.K; ++v)
    if (remaining_[v] > 0 && orbit_size[v] > 1) return false;
  return true;
}
