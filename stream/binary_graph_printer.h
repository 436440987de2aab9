// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_STREAM_BINARY_GRAPH_PRINTER_H_
#define STABLE_GRAPHS_STREAM_BINARY_GRAPH_PRINTER_H_

#include <stdio.h>

#include <optional>

#include "graph/graph_printer.h"

/// Writes the compact byte stream: a header byte, one record per graph, and
/// a 0 end marker.  The header is 0, or 1 for labelled graphs, whose
/// records are followed by the vertex of each label 1 .. n.
class BinaryGraphPrinter : public GraphPrinter {
 public:
  /// Writes only graphs whose codimension equals edge_filter (not given:
  /// all); a negative one throws std::invalid_argument.
  BinaryGraphPrinter(FILE* file, int g, int n, std::optional<int> edge_filter);
  BinaryGraphPrinter(FILE* file, int g, int n);

  void BeginPrint() override;
  void PrintSomeGraph(const GraphsByCodimension& graphs) override;
  void EndPrint() override;

  FILE* file;
  std::optional<int> edge_filter;
  int g;
  int n;
  /// Whether the graphs come labelled: the header byte is then 1.
  bool labelled = false;
};

#endif  // STABLE_GRAPHS_STREAM_BINARY_GRAPH_PRINTER_H_
