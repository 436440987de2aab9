// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "stream/canonical_order_check.h"

#include "graph/tool_order.h"

bool CanonicalOrderCheck::same_decoration_as_test(const Graph& record) const {
  if (!least_ || decoration_.K != record.K) return false;
  for (int v = 0; v < record.K; ++v)
    if (CompareDecorations(decoration_, v, record, v) != 0) return false;
  return true;
}

std::string CanonicalOrderCheck::Check(const Graph& record) {
  if (!SortedByDecoration(record))
    return "is not in the tool's form: its vertices are not sorted by genus, marked points and loops";
  bool section_goes_on =
      has_previous_ && previous_.K == record.K && previous_.codimension == record.codimension;
  bool repeats_description = false;  // a labelled record's next labelling
  if (section_goes_on) {
    int order = CompareInToolOrder(previous_, record);
    if (order > 0 || (order == 0 && !record.labelled))
      return order == 0 ? "repeats the graph before it" : "comes before the graph before it in the tool's order";
    repeats_description = order == 0;
  }
  // Consecutive records mostly share their decoration, and with it the test.
  if (!same_decoration_as_test(record)) {
    decoration_ = record;
    least_ = std::make_unique<LexLeastTest>(record);
  }
  if (!repeats_description && !least_->IsLeast(record))
    return "is not in the tool's form: a relabelling of its vertices gives a smaller adjacency matrix";
  previous_ = record;
  has_previous_ = true;
  return "";
}
