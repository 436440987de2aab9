// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_POSET_BOUNDARY_COMPLEX_PRINTER_H_
#define STABLE_GRAPHS_POSET_BOUNDARY_COMPLEX_PRINTER_H_

#include <string>

#include "poset/boundary_complex.h"
#include "graph/graph_printer.h"

/// Passes every call on to another printer and adds every graph that goes
/// through to the boundary complex sums.
class BoundaryComplexPrinter : public GraphPrinter {
 public:
  /// Wraps printer, which must outlive this object.
  explicit BoundaryComplexPrinter(GraphPrinter& printer) : printer_(printer) {}

  void BeginPrint() override { printer_.BeginPrint(); }
  void PrintSomeGraph(GraphsByCodimension& graphs) override;
  void EndPrint() override { printer_.EndPrint(); }
  /// The wrapped printer's state, a NUL byte, then the sums so far.
  std::string State() const override;
  bool RestoreState(const std::string& state) override;
  std::string RestoredStateProblem(const PrintedSoFar& printed) const override {
    return printer_.RestoredStateProblem(printed);
  }

  /// The sums of every graph so far.
  const BoundaryComplexSums& Sums() const { return sums_; }

 private:
  GraphPrinter& printer_;
  BoundaryComplexSums sums_;
};

#endif  // STABLE_GRAPHS_POSET_BOUNDARY_COMPLEX_PRINTER_H_
