// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_COMPUTER_PARTIAL_GRAPH_H_
#define STABLE_GRAPHS_COMPUTER_PARTIAL_GRAPH_H_

#include <limits.h>
#include <stdint.h>

#include "graph/canonical_form.h"
#include "graph/graph.h"

/// The generator's working graph: the description being filled in, level
/// by level, with the running totals its bounds read, and the cache of the
/// finished candidate's canonical form.
struct PartialGraph : Graph {
  /// Sets g, n, K and zeroes everything else.
  PartialGraph(int g, int n, int K) : Graph(g, n, K) { clear_bookkeeping(); }
  /// Takes the description of `graph`, with the running totals zeroed.
  explicit PartialGraph(const Graph& graph) : Graph(graph) { clear_bookkeeping(); }

  /// Prepares the record as the empty start of the generator for K vertices:
  /// the decorations and the whole adjacency matrix zeroed, the running
  /// totals set for an empty graph; g, n and the histogram stay.
  void Clear(int8_t K);

  /// 1 - K plus the genus handed out so far (vertex genera, loops, edges).
  int8_t partial_genus;
  int8_t partial_marked_points;
  /// Pairs of distinct vertices joined so far.
  int8_t joined_pairs;
  /// Vertices of genus 0; they come first.
  int8_t genus_zero_count;
  /// Sum over the genus-0 vertices of min(valence, 2) and min(valence, 3).
  int8_t valence_cap2_sum;
  int8_t valence_cap3_sum;
  /// Marked points plus edge ends so far, a loop counting twice.
  int8_t valence[kMaxComponents];
  /// The least min(valence, 2) of a genus-0 vertex whose loops are placed.
  int8_t min_valence_cap2;
  /// Pairs per edge multiplicity, entries 0 .. g + 1.
  int8_t multiplicity_count[kMultiplicitySlots];
  /// Bit v set: vertex v already differs from vertex v - 1 in an attribute
  /// fixed so far, so the ordering rules no longer bind it (the invariant
  /// is stated and proved in graph/lex_least.h).
  uint32_t distinct_mask;
  static_assert(sizeof(distinct_mask) * CHAR_BIT >= kMaxSearchComponents,
                "distinct_mask needs a bit for every vertex of a type within the capacity");
  /// The canonical form of the finished candidate.
  CanonicalFormCache canonical;

 private:
  void clear_bookkeeping();
};

#endif  // STABLE_GRAPHS_COMPUTER_PARTIAL_GRAPH_H_
