// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_EULER_EULER_SUMS_H_
#define STABLE_GRAPHS_EULER_EULER_SUMS_H_

#include <gmpxx.h>
#include <stdint.h>

#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "graph/graph.h"

/// Adds up the EulerTerm of many graphs, per codimension, exactly.
///
/// A term depends only on the codimension, the multiset of (genus,
/// valence) of the vertices and |Aut|, and runs repeat these few values
/// millions of times; so Add counts graphs per such key, and the fractions
/// are summed once per key at the end.
class EulerSums {
 public:
  /// Counts one graph (a labelled one with the automorphisms that keep its
  /// labels).
  void Add(const Graph& graph);
  /// Counts, without making them, the labelled graphs over a graph with
  /// unlabelled points: LabelledGraphCount(graph) of them, all with the
  /// same term, as their automorphisms that keep the labels number the
  /// same whatever the labels.
  void AddLabelledGraphs(const Graph& graph);
  /// Counts every graph that other counted.
  void Merge(const EulerSums& other);
  /// The exact sum of the terms of the graphs counted, per codimension that
  /// has one.
  std::map<int, mpq_class> ByCodimension() const;
  /// Everything counted, as text, to take up in another process.
  std::string State() const;
  /// Replaces the counts by a State(); false, changing nothing, for a text
  /// State never returns (a key that is not one, a count of 0, ...).
  bool RestoreState(const std::string& state);
  /// Empty when what is counted could be that of `graphs` graphs of type
  /// (g, n), of which per_components[K] have K components and
  /// per_codimension[c] codimension c (for labelled graphs counted without
  /// being made, those are the labelled graphs); else what is wrong.  For
  /// a restored State, whose keys come from outside.
  std::string CountsProblem(int g, int n, const mpz_class& graphs, const std::vector<mpz_class>& per_components,
                            const std::vector<mpz_class>& per_codimension) const;
  /// Number of graphs counted (the graphs handed over, not the labelled
  /// graphs counted through AddLabelledGraphs).
  uint64_t graphs() const { return graphs_; }

 private:
  void make_key(const Graph& graph, bool fix_labels);
  void add_count(const std::string& key, const mpz_class& count);

  std::unordered_map<std::string, uint64_t> counts_;
  // Counts past 64 bits, which labelled graphs reach.
  std::unordered_map<std::string, mpz_class> big_counts_;
  uint64_t graphs_ = 0;
  std::string key_;  // reused by Add
  // The labelled graphs of one graph come one after another and share a
  // key: the description of the last graph whose key key_ holds.
  Graph last_labelled_{-1, -1, -1};
};

#endif  // STABLE_GRAPHS_EULER_EULER_SUMS_H_
