// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_POSET_CONTRACTION_CHECK_PRINTER_H_
#define STABLE_GRAPHS_POSET_CONTRACTION_CHECK_PRINTER_H_

#include <memory>
#include <string>

#include "graph/graph_printer.h"
#include "graph/resumable_printer.h"
#include "poset/poset_printer.h"

/// Passes every call on to another printer and checks, as the printers of
/// the poset do, that every contraction of every graph going through lands
/// on a graph of the run: a stream with a graph missing, or one holding a
/// single codimension, fails it.  Keeps every graph's key in memory, as
/// those printers do.
class ContractionCheckPrinter : public GraphPrinter, public ResumablePrinter {
 public:
  /// Wraps printer, which must outlive this object; keys are found on up
  /// to `threads` threads.
  ContractionCheckPrinter(GraphPrinter& printer, int threads);
  ~ContractionCheckPrinter() override;

  void BeginPrint() override;
  void PrintSomeGraph(const GraphsByCodimension& graphs) override;
  void EndPrint() override;
  /// Like the poset's printers, the check cannot be resumed.
  std::string State() const override { return "unresumable contraction check"; }
  bool RestoreState(const std::string&) override { return false; }
  /// No state is ever taken up, so none is wrong.
  std::string RestoredStateProblem(const PrintedSoFar&) const override { return ""; }

  /// Empty when every contraction landed on a graph of the run, else one
  /// line naming the first graph whose contraction did not.
  std::string Problem() const { return check_->Problem(); }

 private:
  GraphPrinter& printer_;
  std::unique_ptr<PosetPrinter> check_;
};

#endif  // STABLE_GRAPHS_POSET_CONTRACTION_CHECK_PRINTER_H_
