// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_PRINTERS_EULER_CHECK_PRINTER_H_
#define STABLE_GRAPHS_PRINTERS_EULER_CHECK_PRINTER_H_

#include <memory>
#include <string>
#include <vector>

#include "euler/euler_sums.h"
#include "graph/graph_printer.h"
#include "graph/resumable_printer.h"

/// Passes every call on to another printer and adds up the EulerTerm of
/// every graph that goes through, spreading the terms of a large batch
/// over several threads.
class EulerCheckPrinter : public GraphPrinter, public ResumablePrinter {
 public:
  /// Wraps printer, which must outlive this object, with the state it
  /// carries, if any (ResumablePartOf); up to `threads` threads work on the terms.
  EulerCheckPrinter(GraphPrinter& printer, int threads);
  /// Wraps printer, whose state is `resumable` (both must outlive this
  /// object), carrying that state on with the sums.
  EulerCheckPrinter(GraphPrinter& printer, ResumablePrinter& resumable, int threads);

  void BeginPrint() override { printer_.BeginPrint(); }
  void PrintSomeGraph(const GraphsByCodimension& graphs) override;
  void EndPrint() override { printer_.EndPrint(); }

  /// The wrapped printer's state, a NUL byte, then the sums so far.
  std::string State() const override;
  bool RestoreState(const std::string& state) override;
  /// Checks the sums against the graphs printed, then the wrapped
  /// printer's state.
  std::string RestoredStateProblem(const PrintedSoFar& printed) const override;

  /// The sums of every graph so far.
  EulerSums Sums() const;

  /// When set, the graphs received have unlabelled points and each stands
  /// for its labelled graphs, which are counted without being made
  /// (EulerSums::AddLabelledGraphs).
  bool count_labelled_graphs = false;

 private:
  GraphPrinter& printer_;
  ResumablePrinter& resumable_;  // printer_'s state
  std::vector<EulerSums> parts_;  // one per thread's share of each batch
};

#endif  // STABLE_GRAPHS_PRINTERS_EULER_CHECK_PRINTER_H_
