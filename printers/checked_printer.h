// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_PRINTERS_CHECKED_PRINTER_H_
#define STABLE_GRAPHS_PRINTERS_CHECKED_PRINTER_H_

#include <stdint.h>
#include <stdio.h>

#include <string>
#include <utility>
#include <vector>

#include "graph/graph_printer.h"
#include "graph/resumable_printer.h"

/// Passes every call on to another printer, then flushes the watched
/// streams and throws OutputError as soon as one of them has failed, so
/// that a run whose output is being lost stops after the current pass
/// instead of computing the rest for nobody.
class CheckedPrinter : public GraphPrinter, public ResumablePrinter {
 public:
  /// Wraps printer, which must outlive this object, with the state it
  /// carries, if any (ResumablePartOf).
  explicit CheckedPrinter(GraphPrinter& printer);
  /// Wraps printer, whose state is `resumable` (both must outlive this
  /// object), and hands that state on unchanged.
  CheckedPrinter(GraphPrinter& printer, ResumablePrinter& resumable);

  /// Adds a stream to check after each call; name is how messages call it.
  void Watch(FILE* file, const std::string& name);
  /// Flushes every watched stream; throws OutputError for the first that
  /// has failed, now or earlier.
  void Check() const;

  void BeginPrint() override;
  void PrintSomeGraph(const GraphsByCodimension& graphs) override;
  void EndPrint() override;
  std::string State() const override { return resumable_.State(); }
  /// The graphs passed on so far.
  uint64_t graphs() const { return graphs_; }
  bool RestoreState(const std::string& state) override { return resumable_.RestoreState(state); }
  std::string RestoredStateProblem(const PrintedSoFar& printed) const override {
    return resumable_.RestoredStateProblem(printed);
  }

 private:
  GraphPrinter& printer_;
  ResumablePrinter& resumable_;  // printer_'s state
  std::vector<std::pair<FILE*, std::string>> watched_;
  uint64_t graphs_ = 0;
};

#endif  // STABLE_GRAPHS_PRINTERS_CHECKED_PRINTER_H_
