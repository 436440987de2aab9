// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "computer/pruned_search.h"

#include <stdexcept>

// The splitter tested rows 1 .. rows on its way to the point; repeating
// those tests (which passed) leaves the relabelling test holding what they
// found, as if this search had walked there itself.
void PrunedSearch::TakeUpAfterRows(const Graph& graph, int rows) {
  for (int r = 1; r <= rows && r < graph.K - 1; ++r)
    if (!least_->MayBecomeLeastAfterRow(graph, r))
      throw std::logic_error("a split point of the search fails a row test it passed");
}

bool PrunedSearch::KeepsBranchAfterRows(const Graph& graph, int rows) {
  return least_->MayBecomeLeastAfterRow(graph, rows);
}

bool PrunedSearch::IsRepeat(PartialGraph& candidate, int final_rows, const CompactGraphs&) {
  return !least_->IsLeastAfterRows(candidate, final_rows);
}
