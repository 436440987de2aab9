// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "computer/stored_search.h"

void StoredSearch::End() {
  by_class_.clear();
  forms_.Clear();
  candidate_bucket_ = nullptr;
}

// A candidate can only be isomorphic to a kept graph of its own class.
// The first graph of a class is kept without a canonical form; its form
// is computed when a second candidate of the class arrives, so a class that
// never gets one costs no call of nauty.
bool StoredSearch::IsRepeat(PartialGraph& candidate, int, const CompactGraphs& kept) {
  uint32_t ordinal = static_cast<uint32_t>(by_class_.size());
  candidate_bucket_ =
      &by_class_.try_emplace(GraphClass(candidate, candidate.multiplicity_count), ClassBucket{ordinal}).first->second;
  ClassBucket& bucket = *candidate_bucket_;
  if (bucket.size == 0) return false;
  if (bucket.unformed >= 0) {
    kept.Expand(static_cast<size_t>(bucket.unformed), scratch_);
    ComputeCanonicalForm(scratch_, &scratch_form_);
    forms_.Insert(bucket.ordinal, scratch_form_);
    bucket.unformed = -1;
  }
  return forms_.Contains(bucket.ordinal, candidate.canonical.Of(candidate));
}

void StoredSearch::Kept(const PartialGraph& candidate, size_t index) {
  ClassBucket& bucket = *candidate_bucket_;
  const CanonicalForm* form = candidate.canonical.IfComputed();
  if (form != nullptr)
    forms_.Insert(bucket.ordinal, *form);
  else
    bucket.unformed = static_cast<long>(index);
  ++bucket.size;
}
