// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "poset/hasse_diagram_printer.h"

#include <iterator>
#include <string>

HasseDiagramPrinter::HasseDiagramPrinter(FILE* file, int g, int n, std::optional<int> edge_filter, int threads)
    : PosetPrinter(file, edge_filter, threads), g_(g), n_(n) {}

void HasseDiagramPrinter::write_begin() {
  // A run's levels start afresh; the targets recorded before it stay.
  for (auto level = levels_.begin(); level != levels_.end();)
    level = edge_filter() && level->first == *edge_filter() - 1 ? std::next(level) : levels_.erase(level);
  fprintf(file_, "digraph \"strata of (%d, %d)\" {\n", g_, n_);
  // Arrows point from a graph to its contractions, one level up.
  fputs("  rankdir=BT;\n", file_);
  fputs("  node [shape=box];\n", file_);
}

void HasseDiagramPrinter::note_target(const GraphId& id) { levels_[id.codimension].push_back(id); }

void HasseDiagramPrinter::write_graph(const GraphId& id, const std::vector<Contraction>& contractions) {
  levels_[id.codimension].push_back(id);
  std::string name = GraphIdText(id);
  fprintf(file_, "  \"%s\";\n", name.c_str());
  for (const Contraction& contraction : contractions) {
    if (!contraction.found) continue;
    fprintf(file_, "  \"%s\" -> \"%s\" [label=\"%d\"];\n", name.c_str(), GraphIdText(contraction.target).c_str(),
            contraction.edges);
  }
}

void HasseDiagramPrinter::write_end() {
  for (const auto& level : levels_) {
    fprintf(file_, "  subgraph \"codimension %d\" {\n", level.first);
    fputs("    rank=same;\n", file_);
    for (const GraphId& id : level.second)
      fprintf(file_, "    \"%s\";\n", GraphIdText(id).c_str());
    fputs("  }\n", file_);
  }
  fputs("}\n", file_);
}
