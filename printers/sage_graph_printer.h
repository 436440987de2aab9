// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_PRINTERS_SAGE_GRAPH_PRINTER_H_
#define STABLE_GRAPHS_PRINTERS_SAGE_GRAPH_PRINTER_H_

#include <stdio.h>

#include <optional>

#include "graph/graph_printer.h"

/// Writes one line per graph that SageMath with admcycles evaluates to the
/// graph: StableGraph(genera, legs, edges).
///
/// Labels: the marked points are 1 .. n in vertex order (those of vertex 0
/// first), or for a labelled graph its own labels; the half-edges follow from n + 1 on, two consecutive labels per
/// edge, first the edges between distinct vertices i < j in row order
/// (0,1), (0,2), ..., (1,2), ... (label h on i, h + 1 on j, parallel edges
/// one after the other), then the loops vertex by vertex.  Each vertex lists
/// its legs in ascending order; the edges come in ascending order.
class SageGraphPrinter : public GraphPrinter {
 public:
  /// Prints only graphs whose codimension equals edge_filter (not given:
  /// all); a negative one throws std::invalid_argument.
  SageGraphPrinter(FILE* file, std::optional<int> edge_filter);
  explicit SageGraphPrinter(FILE* file);

  void BeginPrint() override {}
  void PrintSomeGraph(const GraphsByCodimension& graphs) override;
  void EndPrint() override {}

  FILE* file;
  std::optional<int> edge_filter;

 private:
  /// Writes the StableGraph line of one graph.
  void print_line(const Graph& graph);
};

#endif  // STABLE_GRAPHS_PRINTERS_SAGE_GRAPH_PRINTER_H_
