// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "computer/orderly_search.h"

void OrderlySearch::Begin(const Graph& start) { least_ = std::make_unique<LexLeastTest>(start); }

void OrderlySearch::End() { least_.reset(); }

bool OrderlySearch::IsRepeat(PartialGraph& candidate, int, const CompactGraphs&) {
  return !least_->IsLeast(candidate);
}

int64_t OrderlySearch::branches() const { return least_ ? least_->branches() : 0; }
