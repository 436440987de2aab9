// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "graph/pass_batcher.h"

PassBatcher::PassBatcher(GraphPrinter& printer, size_t size) : printer_(printer), size_(size > 0 ? size : 1) {}

void PassBatcher::StartPass(bool handed_over) { pass_handed_over_ = handed_over; }

// Reserved on first use only: a run without graphs allocates no batch.
Graph& PassBatcher::Next() {
  if (used_ == size_) HandOver();
  if (records_.capacity() < size_) records_.reserve(size_);
  if (used_ == records_.size()) records_.emplace_back(-1, -1, -1);
  return records_[used_++];
}

// The records are filed by codimension only now that they are filled: the
// codimension is known once the caller has written the graph.
void PassBatcher::HandOver() {
  for (size_t k = 0; k < used_; ++k) batch_[records_[k].codimension].push_back(&records_[k]);
  printer_.PrintSomeGraph(batch_);
  batch_.clear();
  used_ = 0;
  pass_handed_over_ = true;
}

void PassBatcher::EndPass() {
  if (used_ > 0 || !pass_handed_over_) HandOver();
}

void PassBatcher::Release() {
  std::vector<Graph>().swap(records_);
  used_ = 0;
}
