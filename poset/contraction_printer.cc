// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "poset/contraction_printer.h"

ContractionPrinter::ContractionPrinter(FILE* file, std::optional<int> edge_filter, int threads)
    : PosetPrinter(file, edge_filter, threads) {}

void ContractionPrinter::write_graph(const GraphId& id, const std::vector<Contraction>& contractions) {
  fprintf(file_, "{\"id\": \"%s\", \"codimension\": %d, \"contractions\": [", GraphIdText(id).c_str(),
          id.codimension);
  bool first = true;
  for (const Contraction& contraction : contractions) {
    if (!first) fputs(", ", file_);
    first = false;
    if (contraction.found)
      fprintf(file_, "[\"%s\", %d]", GraphIdText(contraction.target).c_str(), contraction.edges);
    else
      fprintf(file_, "[null, %d]", contraction.edges);
  }
  fputs("]}\n", file_);
}
