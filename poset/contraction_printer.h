// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_POSET_CONTRACTION_PRINTER_H_
#define STABLE_GRAPHS_POSET_CONTRACTION_PRINTER_H_

#include <stdio.h>

#include <vector>

#include "poset/poset_printer.h"

/// Writes the contractions of every graph as JSON Lines, one object per
/// graph in printing order:
///
///   {"id": "(2, 3, 1)", "codimension": 3, "contractions": [["(1, 2, 1)", 1], ["(2, 2, 1)", 2]]}
///
/// "contractions" lists the graphs of codimension one less that contracting
/// one edge gives, each with the number of edges that give it (they add up
/// to the codimension), in printing order; a graph of codimension 0 has
/// none.  A target that is not among the graphs of the run (a damaged
/// stream) is written as null.  The separators are those of Python's
/// json.dumps, and nothing comes before the first line or after the last.
class ContractionPrinter : public PosetPrinter {
 public:
  /// Writes to file; edge_filter not given for all graphs; threads as
  /// for PosetPrinter.
  ContractionPrinter(FILE* file, std::optional<int> edge_filter, int threads = 0);

 protected:
  void write_begin() override {}
  void write_graph(const GraphId& id, const std::vector<Contraction>& contractions) override;
  void write_end() override {}
};

#endif  // STABLE_GRAPHS_POSET_CONTRACTION_PRINTER_H_
