// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_MAIN_PRINTER_CHAIN_H_
#define STABLE_GRAPHS_MAIN_PRINTER_CHAIN_H_

#include <stdio.h>

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "homology/homology_printer.h"
#include "printers/euler_check_printer.h"
#include "labelled/labelling_printer.h"
#include "poset/boundary_complex_printer.h"
#include "poset/contraction_check_printer.h"
#include "poset/poset_printer.h"
#include "printers/checked_printer.h"
#include "main/printer_factory.h"

/// What a chain of printers is built for.
struct PrinterChainSetup {
  Format format = Format::kLaTeX;
  /// Where the format's printer writes.
  FILE* output = nullptr;
  /// The type of the graphs, for titles.
  int g = 0;
  int n = 0;
  /// The graphs arriving have labelled points (a byte stream stays so).
  bool labelled = false;
  /// The graphs arriving have unlabelled points, and their labelled graphs
  /// are to be made and printed instead.
  bool expand_labels = false;
  /// -E: add up the Euler characteristic terms of what is printed.
  bool euler_check = false;
  /// With -E on graphs with unlabelled points that stand for their
  /// labelled graphs, which are counted without being made.
  bool euler_counts_labelled = false;
  /// --boundary-complex: add up the boundary complex's cells over the
  /// graphs arriving, before any labelling.
  bool boundary_complex = false;
  /// --homology: collect the boundary complex's cells over the graphs
  /// arriving, before anything else.
  std::optional<HomologyPrinterSettings> homology;
  /// Check that the graphs arriving are every stable graph of the type,
  /// which a stream need not be: every contraction lands on one of them
  /// (unless a poset format checks that already), and their Euler sums
  /// are kept (written only with euler_check) to compare with the series.
  bool completeness_check = false;
  /// The codimension whose graphs a poset printer writes; not given: all.
  std::optional<int> edge_filter;
  /// Threads the Euler check may use.
  int threads = 1;
  /// The streams to check after every batch, with the names messages use.
  std::vector<std::pair<FILE*, std::string>> watched;
};

/// The printers a run's graphs pass through, built in one order for both
/// tools: the boundary complex's cells (--homology), its sums
/// (--boundary-complex), the check of the contractions
/// (completeness_check), the labelling
/// of the points (when labelled graphs are printed), the Euler check (-E),
/// the check of the output streams, and last the printer of the chosen
/// format, writing to the setup's output.  The check
/// sees the graphs the format's printer gets: the labelled ones when they
/// are made.
class PrinterChain {
 public:
  explicit PrinterChain(const PrinterChainSetup& setup);

  /// Where the graphs go in.
  GraphPrinter& head();
  /// The state of the whole chain, as head() carries it: what a run
  /// records in its checkpoint and takes up again.
  ResumablePrinter& resumable();
  /// The check of the output streams, to call between the printer's calls.
  CheckedPrinter& checked() { return *checked_; }
  /// The Euler check, when -E or completeness_check asked for one.
  EulerCheckPrinter* euler() { return euler_.get(); }
  /// The check of the contractions, when completeness_check asked for one
  /// and the format is not a poset's (whose printer checks them).
  ContractionCheckPrinter* contraction_check() { return contraction_check_.get(); }
  /// Whether the chain was built with completeness_check.
  bool checks_completeness() const { return checks_completeness_; }
  /// The boundary complex's sums, when --boundary-complex asked for them.
  BoundaryComplexPrinter* boundary_complex() { return complex_.get(); }
  /// The boundary complex's cells, when --homology asked for them.
  HomologyPrinter* homology() { return homology_.get(); }
  /// The printer of the poset of strata, when the format is one.
  PosetPrinter* poset() { return dynamic_cast<PosetPrinter*>(printer_.get()); }

 private:
  std::unique_ptr<GraphPrinter> printer_;
  ResumablePrinter* printer_state_;  // printer_'s
  std::unique_ptr<CheckedPrinter> checked_;
  std::unique_ptr<EulerCheckPrinter> euler_;
  std::unique_ptr<LabellingPrinter> labelling_;
  std::unique_ptr<ContractionCheckPrinter> contraction_check_;
  std::unique_ptr<BoundaryComplexPrinter> complex_;
  std::unique_ptr<HomologyPrinter> homology_;
  bool checks_completeness_;
};

#endif  // STABLE_GRAPHS_MAIN_PRINTER_CHAIN_H_
