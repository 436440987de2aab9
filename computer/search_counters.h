// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_COMPUTER_SEARCH_COUNTERS_H_
#define STABLE_GRAPHS_COMPUTER_SEARCH_COUNTERS_H_

#include <gmpxx.h>
#include <stdint.h>
#include <stdio.h>

#include <vector>

#include "graph/graph.h"

class EdgeTask;
struct RunState;

/// Counters per number of components or per codimension; 64 bits, since
/// genus 9 tries more than 2^31 candidates.
using Counts = std::vector<int64_t>;

/// What a search counted, per number of components K (index K) and per
/// codimension, and the two reports of it.
struct SearchCounters {
  SearchCounters() = default;
  /// Zeroed counters of type (g, n), which has stable graphs; with
  /// labelled counts when `labelled`.
  SearchCounters(int g, int n, bool labelled);
  /// No counters, for a type without stable graphs; the reports still
  /// show the labelled rows when `labelled`.
  explicit SearchCounters(bool labelled) : labelled(labelled) {}

  /// Adds the one-vertex graph `graph`, found in pass 1.
  void AddOneVertexGraph(const Graph& graph);
  /// Adds what a finished task of pass K counted.  A sum beyond 64 bits,
  /// which no run reaches but a counter taken from elsewhere might, throws
  /// std::overflow_error.
  void AddTask(int K, const EdgeTask& task);
  /// Copies the counters into `state`.
  void RecordIn(RunState& state) const;
  /// Takes the counters of a state up; they must be of the same type and
  /// labelled counting (std::invalid_argument otherwise).
  void RestoreFrom(const RunState& state);

  /// Writes the full report: a row per counter with its sum, the graphs
  /// per codimension, and the labelled counts when there are any.
  void WriteFull(FILE* out) const;
  /// Writes the terse report, a tuple of the rows.
  void WriteTerse(FILE* out) const;

  /// Whether labelled graphs are counted.
  bool labelled = false;
  Counts tried, unconnected, duplicated, found, found_per_codimension;
  /// Labelled graphs found per K and per codimension, when counted (else
  /// empty).
  std::vector<mpz_class> labelled_found, labelled_per_codimension;
};

#endif  // STABLE_GRAPHS_COMPUTER_SEARCH_COUNTERS_H_
