// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_COMPUTER_ORDERLY_SEARCH_H_
#define STABLE_GRAPHS_COMPUTER_ORDERLY_SEARCH_H_

#include <memory>

#include "computer/search_strategy.h"
#include "graph/lex_least.h"

/// SearchKind::kOrderly: a candidate is the first of its class when it is
/// the least of its relabellings, which needs no memory of earlier graphs,
/// so a task may be split.
class OrderlySearch : public SearchStrategy {
 public:
  /// SearchKind::kOrderly.
  SearchKind kind() const override { return SearchKind::kOrderly; }
  /// True: the test needs nothing from earlier candidates.
  bool MaySplit() const override { return true; }
  /// False: only complete candidates are tested.
  bool PrunesAfterRows() const override { return false; }
  /// Makes the relabelling test for `start`'s blocks.
  void Begin(const Graph& start) override;
  /// Nothing to ready: no row test cuts and no candidate completes.
  void BeginSplit(const Graph&) override {}
  /// Releases the relabelling test.
  void End() override;
  /// Nothing to take up: no row was tested.
  void TakeUpAfterRows(const Graph&, int) override {}
  /// Never cuts.
  bool KeepsBranchAfterRows(const Graph&, int) override { return true; }
  /// True when a relabelling of `candidate` is smaller (LexLeastTest::IsLeast).
  bool IsRepeat(PartialGraph& candidate, int final_rows, const CompactGraphs& kept) override;
  /// Nothing to note: nothing is remembered.
  void Kept(const PartialGraph&, size_t) override {}
  /// Branches of the relabelling test since Begin.
  int64_t branches() const override;

 protected:
  std::unique_ptr<LexLeastTest> least_;  // between Begin and End
};

#endif  // STABLE_GRAPHS_COMPUTER_ORDERLY_SEARCH_H_
