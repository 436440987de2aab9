// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_EULER_EULER_SUMS_H_
#define STABLE_GRAPHS_EULER_EULER_SUMS_H_

#include <gmpxx.h>
#include <stdint.h>

#include <map>
#include <string>
#include <unordered_map>

#include "graph/graph.h"

/// Adds up the EulerTerm of many graphs, per codimension, exactly.
///
/// A term depends only on the codimension, the multiset of (genus,
/// valence) of the vertices and |Aut|, and runs repeat these few values
/// millions of times; so Add counts graphs per such key, and the fractions
/// are summed once per key at the end.
class EulerSums {
 public:
  /// Counts one graph.
  void Add(const Graph& graph);
  /// Counts every graph that other counted.
  void Merge(const EulerSums& other);
  /// The exact sum of the terms of the graphs counted, per codimension that
  /// has one.
  std::map<int, mpq_class> ByCodimension() const;
  /// Number of graphs counted.
  uint64_t graphs() const { return graphs_; }

 private:
  std::unordered_map<std::string, uint64_t> counts_;
  uint64_t graphs_ = 0;
  std::string key_;  // reused by Add
};

#endif  // STABLE_GRAPHS_EULER_EULER_SUMS_H_
