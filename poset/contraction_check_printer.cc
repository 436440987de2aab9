// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "poset/contraction_check_printer.h"

#include <vector>

namespace {

/// The poset's bookkeeping without output.
class SilentPosetPrinter : public PosetPrinter {
 public:
  explicit SilentPosetPrinter(int threads) : PosetPrinter(nullptr, std::nullopt, threads) {}

 protected:
  void write_begin() override {}
  void write_graph(const GraphId&, const std::vector<Contraction>&) override {}
  void write_end() override {}
};

}  // namespace

ContractionCheckPrinter::ContractionCheckPrinter(GraphPrinter& printer, int threads)
    : printer_(printer), check_(std::make_unique<SilentPosetPrinter>(threads)) {}

ContractionCheckPrinter::~ContractionCheckPrinter() {}

void ContractionCheckPrinter::BeginPrint() {
  check_->BeginPrint();
  printer_.BeginPrint();
}

void ContractionCheckPrinter::PrintSomeGraph(const GraphsByCodimension& graphs) {
  check_->PrintSomeGraph(graphs);
  printer_.PrintSomeGraph(graphs);
}

void ContractionCheckPrinter::EndPrint() {
  check_->EndPrint();
  printer_.EndPrint();
}
