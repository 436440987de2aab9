// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_LABELLED_LABELLING_PRINTER_H_
#define STABLE_GRAPHS_LABELLED_LABELLING_PRINTER_H_

#include <stddef.h>
#include <stdint.h>

#include <string>
#include <utility>
#include <vector>

#include "graph/graph.h"
#include "graph/graph_printer.h"
#include "graph/pass_batcher.h"
#include "graph/resumable_printer.h"

/// Receives graphs with unlabelled points and hands another printer their
/// labelled graphs instead: each graph, in the order it arrives, becomes
/// one labelled graph per canonical labelling (CanonicalLabellings), in
/// increasing order of the word (vertex of label 1, ..., vertex of label n).
///
/// The labelled graphs go on in batches of at most batch_size, so memory
/// stays small however many labellings a pass has; every call the printer
/// receives still holds the next graphs in printing order, as its
/// interface asks.  The order depends on nothing but the graphs received,
/// so it is the same for any number of threads.
class LabellingPrinter : public GraphPrinter, public ResumablePrinter {
 public:
  /// Wraps printer, which must outlive this object, with the state it
  /// carries, if any (ResumablePartOf).
  explicit LabellingPrinter(GraphPrinter& printer, size_t batch_size = 4096);
  /// Wraps printer, whose state is `resumable` (both must outlive this
  /// object), and hands that state on.
  LabellingPrinter(GraphPrinter& printer, ResumablePrinter& resumable, size_t batch_size = 4096);

  void BeginPrint() override;
  void PrintSomeGraph(const GraphsByCodimension& graphs) override;
  void EndPrint() override;
  /// The wrapped printer's: this one keeps nothing from call to call.
  std::string State() const override { return resumable_.State(); }
  bool RestoreState(const std::string& state) override { return resumable_.RestoreState(state); }
  /// The wrapped printer's, which has received the labelled graphs.
  std::string RestoredStateProblem(const PrintedSoFar& printed) const override;

 private:
  void add(const Graph& graph, const int8_t* word);

  GraphPrinter& printer_;
  ResumablePrinter& resumable_;  // printer_'s state
  PassBatcher batcher_;
  // What the record at each place of a batch was copied from: the graph,
  // and the call of PrintSomeGraph that handed it over (only then is the
  // pointer valid).
  std::vector<std::pair<const Graph*, uint64_t>> source_;
  uint64_t call_ = 0;
};

#endif  // STABLE_GRAPHS_LABELLED_LABELLING_PRINTER_H_
