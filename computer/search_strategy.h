// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_COMPUTER_SEARCH_STRATEGY_H_
#define STABLE_GRAPHS_COMPUTER_SEARCH_STRATEGY_H_

#include <stddef.h>
#include <stdint.h>

#include <memory>

#include "computer/compact_graphs.h"
#include "computer/partial_graph.h"
#include "computer/search_kind.h"
#include "graph/graph.h"

/// How an edge task tells the first graph of each isomorphism class from
/// its repeats, whether it may cut a branch once rows are final, and
/// whether parts of its search may run apart.  The task walks the same tree
/// for every kind; what differs lives behind this interface, one
/// implementation per SearchKind, chosen by Make alone.
///
/// A strategy holds state only between Begin and End: a pass holds all its
/// tasks at once, so what a search builds up is released when it ends.
class SearchStrategy {
 public:
  /// The strategy of `kind`: the one place a search kind picks its code.
  static std::unique_ptr<SearchStrategy> Make(SearchKind kind);

  virtual ~SearchStrategy() = default;

  /// The kind carried out, for the tasks made from a split and the codec.
  virtual SearchKind kind() const = 0;
  /// Whether parts of a task's search may run apart: only when nothing is
  /// remembered from one candidate to the next.
  virtual bool MaySplit() const = 0;
  /// Whether KeepsBranchAfterRows can ever return false; the search asks
  /// it only then.
  virtual bool PrunesAfterRows() const = 0;

  /// Readies the tests for the candidates of a task whose decorations and
  /// K are `start`'s.
  virtual void Begin(const Graph& start) = 0;
  /// Readies only what the search asks while EdgeTask::Split runs it: a
  /// split stops before any candidate is complete, so only the row tests.
  virtual void BeginSplit(const Graph& start) = 0;
  /// Releases what Begin or BeginSplit and the candidates built up.
  virtual void End() = 0;

  /// Takes up a search at a split point whose rows 0 .. rows - 1 are
  /// final, so that later tests know what the splitter's tests found.
  /// Throws std::logic_error when the point fails a test the splitter
  /// passed.
  virtual void TakeUpAfterRows(const Graph& graph, int rows) = 0;

  /// False when rows 0 .. rows - 1 of `graph`, final, show that no
  /// completion of them is the first of its class.  Asked once per row in
  /// the order the search finishes them, with rows >= 1.
  virtual bool KeepsBranchAfterRows(const Graph& graph, int rows) = 0;

  /// Whether the complete `candidate` repeats a class met before.  The
  /// search passed KeepsBranchAfterRows for rows 1 .. final_rows of it on
  /// its way; `kept` holds the graphs kept so far, in the order kept.
  virtual bool IsRepeat(PartialGraph& candidate, int final_rows, const CompactGraphs& kept) = 0;

  /// Notes that the candidate IsRepeat last refused as a repeat is kept,
  /// as kept[index].
  virtual void Kept(const PartialGraph& candidate, size_t index) = 0;

  /// Branches of the relabelling tests since Begin.
  virtual int64_t branches() const = 0;
};

#endif  // STABLE_GRAPHS_COMPUTER_SEARCH_STRATEGY_H_
