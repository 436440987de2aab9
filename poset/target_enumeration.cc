// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "poset/target_enumeration.h"

#include "computer/boundary_computer.h"
#include "labelled/labelling_printer.h"

namespace {

/// Hands every graph it receives to PosetPrinter::RecordTarget.
class TargetRecorder : public GraphPrinter {
 public:
  explicit TargetRecorder(PosetPrinter& printer) : printer_(printer) {}
  void BeginPrint() override {}
  void PrintSomeGraph(const GraphsByCodimension& graphs) override {
    ForEachGraphToPrint(graphs, std::nullopt, [this](const Graph& graph) { printer_.RecordTarget(graph); });
  }
  void EndPrint() override {}

 private:
  PosetPrinter& printer_;
};

}  // namespace

void EnumerateTargets(PosetPrinter& printer, int g, int n, bool labelled) {
  if (!printer.edge_filter() || *printer.edge_filter() < 1) return;
  TargetRecorder recorder(printer);
  LabellingPrinter labelling(recorder);
  SearchSettings settings;
  settings.codimension = *printer.edge_filter() - 1;
  BoundaryComputer computer(g, n, settings);
  computer.Compute(labelled ? static_cast<GraphPrinter&>(labelling) : recorder, StatisticsNone);
}
