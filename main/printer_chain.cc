// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "main/printer_chain.h"

PrinterChain::PrinterChain(const PrinterChainSetup& setup)
    : printer_(MakePrinter(setup.format, setup.output, setup.g, setup.n, setup.labelled || setup.expand_labels,
                           setup.edge_filter)),
      checked_(std::make_unique<CheckedPrinter>(*printer_)),
      checks_completeness_(setup.completeness_check) {
  for (const auto& [file, name] : setup.watched) checked_->Watch(file, name);
  if (setup.euler_check || setup.completeness_check) {
    euler_ = std::make_unique<EulerCheckPrinter>(*checked_, setup.threads);
    euler_->count_labelled_graphs = setup.euler_counts_labelled;
  }
  GraphPrinter& below = euler_ ? static_cast<GraphPrinter&>(*euler_) : *checked_;
  if (setup.expand_labels) labelling_ = std::make_unique<LabellingPrinter>(below);
  GraphPrinter& searched = labelling_ ? static_cast<GraphPrinter&>(*labelling_) : below;
  if (setup.completeness_check && !IsPosetFormat(setup.format))
    contraction_check_ = std::make_unique<ContractionCheckPrinter>(searched, setup.threads);
  GraphPrinter& checked_whole =
      contraction_check_ ? static_cast<GraphPrinter&>(*contraction_check_) : searched;
  if (setup.boundary_complex) complex_ = std::make_unique<BoundaryComplexPrinter>(checked_whole);
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
