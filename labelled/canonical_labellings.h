// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_LABELLED_CANONICAL_LABELLINGS_H_
#define STABLE_GRAPHS_LABELLED_CANONICAL_LABELLINGS_H_

#include <stdint.h>

#include <functional>
#include <memory>

#include "graph/graph.h"
#include "graph/vertex_symmetry.h"

/// The labelled graphs over a graph with unlabelled points, one canonical
/// labelling per isomorphism class.
///
/// A labelling is the word (vertex of label 1, ..., vertex of label n) with
/// marked_points[v] letters v; a vertex automorphism acts letter by letter,
/// and two labellings give isomorphic labelled graphs exactly when one is
/// carried to the other.  The canonical labelling of an orbit is its least
/// word.  A word is least in its orbit exactly when each letter w_i is the
/// least vertex of its orbit under the subgroup fixing w_1 .. w_(i-1), so a
/// depth-first search over the letters produces the canonical words
/// directly, in increasing order; once that subgroup fixes every vertex
/// still to be used, the remaining letters are free.
class CanonicalLabellings {
 public:
  /// Prepares the search; `graph` must outlive this object.
  explicit CanonicalLabellings(const Graph& graph);

  /// Calls visit with each canonical word (n vertex numbers), in increasing
  /// order.  The word is valid during the call only.
  void ForEach(const std::function<void(const int8_t* word)>& visit);
  /// Whether `word` (n vertex numbers with marked_points[v] letters v) is
  /// the least of its orbit: the test a reader applies to a labelled record
  /// so that it accepts only the labellings ForEach produces.
  bool IsCanonical(const int8_t* word);

 private:
  void extend(int i, uint64_t fixed, const int* orbit, const int* orbit_size);
  void free_suffix(int i);
  bool acts_trivially_on_remaining(const int* orbit_size) const;

  const Graph& graph_;
  std::unique_ptr<VertexSymmetry> symmetry_;  // made when first needed
  const std::function<void(const int8_t*)>* visit_ = nullptr;
  int8_t word_[kMaxLabels];
  int remaining_[kMaxComponents];  // labels each vertex still takes
};

#endif  // STABLE_GRAPHS_LABELLED_CANONICAL_LABELLINGS_H_
