// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_GRAPH_PASS_BATCHER_H_
#define STABLE_GRAPHS_GRAPH_PASS_BATCHER_H_

#include <stddef.h>

#include <vector>

#include "graph/graph.h"
#include "graph/graph_printer.h"

/// Collects the graphs of one pass in records of its own and hands them to
/// a printer by codimension, a batch of at most `size` graphs at a time, as
/// GraphPrinter::PrintSomeGraph promises: a pass of at most `size` graphs in
/// exactly one call (an empty one for a pass without graphs), a larger pass
/// in consecutive calls in printing order.  Memory stays at one batch
/// however large a pass is.
class PassBatcher {
 public:
  /// Hands batches of at most `size` graphs (1 when 0 is given) to
  /// `printer`, which must outlive the batcher.
  PassBatcher(GraphPrinter& printer, size_t size);

  /// Begins a pass.  `handed_over` tells that this pass already made a call
  /// (a run taken up from a state recorded within the pass).
  void StartPass(bool handed_over = false);
  /// The record for the pass's next graph, to be filled before the batcher
  /// is used again; a full batch goes to the printer first.  Records are
  /// reused batch after batch and keep what they last held (a new one is
  /// Graph(-1, -1, -1)), so that a caller writing the same graph again may
  /// change only part of it.
  Graph& Next();
  /// The place in its batch of the record Next returned last: the same
  /// place is the same record in every batch.
  size_t LastPlace() const { return used_ - 1; }
  /// Hands the batch to the printer now, even an empty one.
  void HandOver();
  /// Hands over what is left of the pass, or makes the pass's one empty
  /// call when it has made none.
  void EndPass();
  /// Whether the current pass has made a call.
  bool PassHandedOver() const { return pass_handed_over_; }
  /// Frees the records; the batcher may go on being used.
  void Release();

 private:
  GraphPrinter& printer_;
  const size_t size_;
  std::vector<Graph> records_;  // reserved in full: the printer holds pointers
  size_t used_ = 0;
  bool pass_handed_over_ = false;
  GraphsByCodimension batch_;
};

#endif  // STABLE_GRAPHS_GRAPH_PASS_BATCHER_H_
