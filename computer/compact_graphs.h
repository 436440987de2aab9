// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_COMPUTER_COMPACT_GRAPHS_H_
#define STABLE_GRAPHS_COMPUTER_COMPACT_GRAPHS_H_

#include <stddef.h>
#include <stdint.h>

#include <vector>

#include "graph/graph.h"

/// Graphs that share one decoration (K and the genus, marked points and
/// loops of every vertex), each kept as its edge multiplicities packed two
/// to a byte: a few dozen bytes per graph instead of a full record.
class CompactGraphs {
 public:
  /// Takes K, g, n and the vertex decorations from `decoration`.
  explicit CompactGraphs(const Graph& decoration);

  /// Appends a graph with the same decoration.
  void Append(const Graph& graph);
  /// Number of graphs held.
  size_t size() const { return count_; }
  /// The packed records, record after record, for sending elsewhere.
  const std::vector<uint8_t>& bytes() const { return packed_; }
  /// Replaces the graphs by `count` packed records of this decoration, as
  /// bytes() of a CompactGraphs of the same decoration returned them;
  /// false, changing nothing, when the length does not match.
  bool Assign(std::vector<uint8_t> bytes, size_t count);
  /// Releases the spare capacity left by appending.
  void ShrinkToFit() { packed_.shrink_to_fit(); }

  /// Fills `out` with graph `index`: g, n, K, the decorations, the
  /// adjacency matrix and the codimension.
  void Expand(size_t index, Graph& out) const;

 private:
  int g_, n_, K_;
  int8_t genus_[kMaxComponents];
  int8_t marked_points_[kMaxComponents];
  int8_t loops_[kMaxComponents];
  size_t record_bytes_;
  size_t count_ = 0;
  std::vector<uint8_t> packed_;
};

#endif  // STABLE_GRAPHS_COMPUTER_COMPACT_GRAPHS_H_
