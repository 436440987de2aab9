// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_COMPUTER_PRUNED_SEARCH_H_
#define STABLE_GRAPHS_COMPUTER_PRUNED_SEARCH_H_

#include "computer/orderly_search.h"

/// SearchKind::kPruned: the orderly search with its test also asked row
/// by row, so that a branch whose final rows already show a smaller
/// relabelling is cut, and the test of a complete candidate takes up what
/// the row tests left open.
class PrunedSearch : public OrderlySearch {
 public:
  /// SearchKind::kPruned.
  SearchKind kind() const override { return SearchKind::kPruned; }
  /// True: finished rows may cut a branch.
  bool PrunesAfterRows() const override { return true; }
  /// Makes the relabelling test, for the row tests.
  void BeginSplit(const Graph& start) override { Begin(start); }
  /// Repeats the row tests of rows 1 .. rows, which the splitter passed.
  void TakeUpAfterRows(const Graph& graph, int rows) override;
  /// LexLeastTest::MayBecomeLeastAfterRow.
  bool KeepsBranchAfterRows(const Graph& graph, int rows) override;
  /// LexLeastTest::IsLeastAfterRows, negated.
  bool IsRepeat(PartialGraph& candidate, int final_rows, const CompactGraphs& kept) override;
};

#endif  // STABLE_GRAPHS_COMPUTER_PRUNED_SEARCH_H_
