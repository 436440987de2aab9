// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_COMPUTER_SEARCH_KIND_H_
#define STABLE_GRAPHS_COMPUTER_SEARCH_KIND_H_

/// How a task tells the first graph of each isomorphism class from its
/// repeats.  The search meets the candidates of a task in ascending order
/// of their upper triangles, so the first of a class is the one that is
/// least among its relabellings.
enum class SearchKind {
  /// Keeps every graph found and compares candidates by canonical form.
  kStored,
  /// Keeps a connected candidate when it is least (LexLeastTest): the same
  /// graphs and counters as kStored, without remembering the graphs.
  kOrderly,
  /// As kOrderly, and cuts a branch once its final rows show a smaller
  /// relabelling: the same graphs, fewer candidates tried.
  kPruned,
};

#endif  // STABLE_GRAPHS_COMPUTER_SEARCH_KIND_H_
