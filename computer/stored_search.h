// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_COMPUTER_STORED_SEARCH_H_
#define STABLE_GRAPHS_COMPUTER_STORED_SEARCH_H_

#include <stdint.h>

#include <map>

#include "computer/canonical_form_set.h"
#include "computer/search_strategy.h"
#include "graph/canonical_form.h"
#include "graph/graph_class.h"

/// SearchKind::kStored: a candidate repeats a class when its canonical form
/// is among those of the graphs kept before it.  It remembers every class
/// met, so a task is never split.
class StoredSearch : public SearchStrategy {
 public:
  /// SearchKind::kStored.
  SearchKind kind() const override { return SearchKind::kStored; }
  /// False: a part would not know the graphs of the others.
  bool MaySplit() const override { return false; }
  /// False: only complete candidates are compared.
  bool PrunesAfterRows() const override { return false; }
  /// Nothing to ready: the store is empty until a candidate is kept.
  void Begin(const Graph&) override {}
  /// Never called: a stored task is never split.
  void BeginSplit(const Graph&) override {}
  /// Forgets every class and form met.
  void End() override;
  /// Never called: a stored task is never split.
  void TakeUpAfterRows(const Graph&, int) override {}
  /// Never cuts.
  bool KeepsBranchAfterRows(const Graph&, int) override { return true; }
  /// True when a kept graph of `candidate`'s class has its canonical form.
  bool IsRepeat(PartialGraph& candidate, int final_rows, const CompactGraphs& kept) override;
  /// Files the candidate under its class, its form computed or deferred.
  void Kept(const PartialGraph& candidate, size_t index) override;
  /// No relabelling tests: 0.
  int64_t branches() const override { return 0; }

 private:
  /// How the graphs of one GraphClass are held for the repeat test.
  struct ClassBucket {
    uint32_t ordinal;       // tags the class's canonical forms
    size_t size = 0;        // graphs kept in the class
    long unformed = -1;     // kept graph whose form is not computed yet
  };

  std::map<GraphClass, ClassBucket> by_class_;
  CanonicalFormSet forms_;
  ClassBucket* candidate_bucket_ = nullptr;  // set by IsRepeat for Kept
  Graph scratch_{-1, -1, -1};                // a kept graph expanded for nauty
  CanonicalForm scratch_form_;
};

#endif  // STABLE_GRAPHS_COMPUTER_STORED_SEARCH_H_
