// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "poset/hasse_diagram_printer.h"

#include <iterator>

HasseDiagramPrinter::HasseDiagramPrinter(FILE* file, int g, int n, int edge_filter, int threads)
    : PosetPrinter(file, edge_filter, threads), g_(g), n_(n) {}

void HasseDiagramPrinter::write_begin() {
  // A run's levels start afresh; the targets recorded before it stay.
  for (auto level = levels_.begin(); level != levels_.end();)
    level = level->first == edge_filter() - 1 ? std::next(level) : levels_.erase(level);
  fprintf(file_, "digraph \"strata of (%d, %d)\" {\n", g_, n_);
  // Arrows point from a graph to its contractions, one level up.
  fputs("  rankdir=BT;\n", file_);
  fputs("  node [shape=box];\n", file_);
}

void HasseDiagramPrinter::note_target(const GraphId& id) { levels_[id.codimension].push_back(id); }

void HasseDiagramPrinter::write_graph(const GraphId& id, const std::vector<Contraction>& contractions) {
  levels_[id.codimension].push_back(id);
  fprintf(file_, "  \"(%d, %d, %d)\";\n", id.components, id.codimension, id.number);
  for (const Contraction& contraction : contractions) {
    if (!contraction.found) continue;
    const GraphId& target = contraction.target;
    fprintf(file_, "  \"(%d, %d, %d)\" -> \"(%d, %d, %d)\" [label=\"%d\"];\n", id.components, id.codimension,
            id.number, target.components, target.codimension, target.number, contraction.edges);
  }
}

void HasseDiagramPrinter::write_end() {
  for (const auto& level : levels_) {
    fprintf(file_, "  subgraph \"codimension %d\" {\n", level.first);
    fputs("    rank=same;\n", file_);
    for (const GraphId& id : level.second)
      fprintf(file_, "    \"(%d, %d, %d)\";\n", id.components, id.codimension, id.number);
    fputs("  }\n", file_);
  }
  fputs("}\n", file_);
}
