// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "poset/boundary_complex_printer.h"

void BoundaryComplexPrinter::PrintSomeGraph(const GraphsByCodimension& graphs) {
  ForEachGraphToPrint(graphs, std::nullopt, [this](const Graph& graph) { sums_.Add(graph); });
  printer_.PrintSomeGraph(graphs);
}

std::string BoundaryComplexPrinter::State() const { return resumable_.State() + '\0' + sums_.State(); }

bool BoundaryComplexPrinter::RestoreState(const std::string& state) {
  size_t nul = state.rfind('\0');
  if (nul == std::string::npos) return false;
  BoundaryComplexSums sums;
  if (!sums.RestoreState(state.substr(nul + 1))) return false;
  if (!resumable_.RestoreState(state.substr(0, nul))) return false;
  sums_ = sums;
  return true;
}
