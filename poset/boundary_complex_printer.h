// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_POSET_BOUNDARY_COMPLEX_PRINTER_H_
#define STABLE_GRAPHS_POSET_BOUNDARY_COMPLEX_PRINTER_H_

#include <string>

#include "poset/boundary_complex.h"
#include "graph/graph_printer.h"
#include "graph/resumable_printer.h"

/// Passes every call on to another printer and adds every graph that goes
/// through to the boundary complex sums.
class BoundaryComplexPrinter : public GraphPrinter, public ResumablePrinter {
 public:
  /// Wraps printer, which must outlive this object, with the state it
  /// carries, if any (ResumablePartOf).
  explicit BoundaryComplexPrinter(GraphPrinter& printer)
      : BoundaryComplexPrinter(printer, ResumablePartOf(printer)) {}
  /// Wraps printer, whose state is `resumable` (both must outlive this
  /// object), carrying that state on with the sums.
  BoundaryComplexPrinter(GraphPrinter& printer, ResumablePrinter& resumable)
      : printer_(printer), resumable_(resumable) {}

  void BeginPrint() override { printer_.BeginPrint(); }
  void PrintSomeGraph(const GraphsByCodimension& graphs) override;
  void EndPrint() override { printer_.EndPrint(); }
  /// The wrapped printer's state, a NUL byte, then the sums so far.
  std::string State() const override;
  bool RestoreState(const std::string& state) override;
  std::string RestoredStateProblem(const PrintedSoFar& printed) const override {
    return resumable_.RestoredStateProblem(printed);
  }

  /// The sums of every graph so far.
  const BoundaryComplexSums& Sums() const { return sums_; }

 private:
  GraphPrinter& printer_;
  ResumablePrinter& resumable_;  // printer_'s state
  BoundaryComplexSums sums_;
};

#endif  // STABLE_GRAPHS_POSET_BOUNDARY_COMPLEX_PRINTER_H_
