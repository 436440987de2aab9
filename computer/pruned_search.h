// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_COMPUTER_PRUNED_SEARCH_H_
#define STABLE_GRAPHS_COMPUTER_PRUNED_SEARCH_H_

#include <memory>

#include "computer/search_strategy.h"
#include "graph/lex_least.h"

/// SearchKind::kPruned: the orderly test asked row by row, so that a branch
/// whose final rows already show a smaller relabelling is cut, and the test
/// of a complete candidate takes up what the row tests left open.
class PrunedSearch : public SearchStrategy {
 public:
  /// SearchKind::kPruned.
  SearchKind kind() const override { return SearchKind::kPruned; }
  /// True: the tests need nothing from earlier candidates.
  bool MaySplit() const override { return true; }
  /// True: finished rows may cut a branch.
  bool PrunesAfterRows() const override { return true; }
  /// Makes the relabelling test for `start`'s blocks.
  void Begin(const Graph& start) override;
  /// Makes the relabelling test, for the row tests.
  void BeginSplit(const Graph& start) override { Begin(start); }
  /// Releases the relabelling test.
  void End() override;
  /// Repeats the row tests of rows 1 .. rows, which the splitter passed.
  void TakeUpAfterRows(const Graph& graph, int rows) override;
  /// LexLeastTest::MayBecomeLeastAfterRow.
  bool KeepsBranchAfterRows(const Graph& graph, int rows) override;
  /// LexLeastTest::IsLeastAfterRows, negated.
  bool IsRepeat(PartialGraph& candidate, int final_rows, const CompactGraphs& kept) override;
  /// Nothing to note: nothing is remembered.
  void Kept(const PartialGraph&, size_t) override {}
  /// Branches of the relabelling tests since Begin.
  int64_t branches() const override;

 private:
  std::unique_ptr<LexLeastTest> least_;  // between Begin and End
};

#endif  // STABLE_GRAPHS_COMPUTER_PRUNED_SEARCH_H_
