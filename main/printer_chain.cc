// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "main/printer_chain.h"

#include <utility>

PrinterChain::PrinterChain(const PrinterChainSetup& setup)
    : checks_completeness_(setup.completeness_check) {
  FormatPrinter format = MakeFormatPrinter(setup.format, setup.output, setup.g, setup.n,
                                           setup.labelled || setup.expand_labels, setup.edge_filter);
  printer_ = std::move(format.printer);
  printer_state_ = format.resumable;
  checked_ = std::make_unique<CheckedPrinter>(*printer_, *printer_state_);
  for (const auto& [file, name] : setup.watched) checked_->Watch(file, name);
  if (setup.euler_check || setup.completeness_check) {
    euler_ = std::make_unique<EulerCheckPrinter>(*checked_, *checked_, setup.threads);
    euler_->count_labelled_graphs = setup.euler_counts_labelled;
  }
  GraphPrinter& below = euler_ ? static_cast<GraphPrinter&>(*euler_) : *checked_;
  ResumablePrinter& below_state = euler_ ? static_cast<ResumablePrinter&>(*euler_) : *checked_;
  if (setup.expand_labels) labelling_ = std::make_unique<LabellingPrinter>(below, below_state);
  GraphPrinter& searched = labelling_ ? static_cast<GraphPrinter&>(*labelling_) : below;
  ResumablePrinter& searched_state = labelling_ ? static_cast<ResumablePrinter&>(*labelling_) : below_state;
  if (setup.completeness_check && !IsPosetFormat(setup.format))
    contraction_check_ = std::make_unique<ContractionCheckPrinter>(searched, setup.threads);
  GraphPrinter& checked_whole =
      contraction_check_ ? static_cast<GraphPrinter&>(*contraction_check_) : searched;
  ResumablePrinter& checked_whole_state =
      contraction_check_ ? static_cast<ResumablePrinter&>(*contraction_check_) : searched_state;
  if (setup.boundary_complex) complex_ = std::make_unique<BoundaryComplexPrinter>(checked_whole, checked_whole_state);
  GraphPrinter& summed = complex_ ? static_cast<GraphPrinter&>(*complex_) : checked_whole;
  if (setup.homology) homology_ = std::make_unique<HomologyPrinter>(summed, *setup.homology);
}

GraphPrinter& PrinterChain::head() {
  if (homology_) return *homology_;
  if (complex_) return *complex_;
  if (contraction_check_) return *contraction_check_;
  if (labelling_) return *labelling_;
  if (euler_) return *euler_;
  return *checked_;
}

// The cells of --homology stay in memory and carry no state: a run with
// them records none (and the tools refuse to checkpoint one).
ResumablePrinter& PrinterChain::resumable() {
  if (homology_) return ResumablePrinter::Stateless();
  if (complex_) return *complex_;
  if (contraction_check_) return *contraction_check_;
  if (labelling_) return *labelling_;
  if (euler_) return *euler_;
  return *checked_;
}
