// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_PRINTERS_TEXT_GRAPH_PRINTER_H_
#define STABLE_GRAPHS_PRINTERS_TEXT_GRAPH_PRINTER_H_

#include <stdio.h>

#include <optional>

#include "graph/graph_printer.h"

/// Writes the text block of one graph: its totals, decorations, labels
/// and adjacency matrix.
void WriteGraphText(FILE* file, const Graph& graph);
/// Writes the adjacency matrix alone, one indented row per line.
void WriteAdjacencyMatrix(FILE* file, const Graph& graph);

/// Writes a plain-text listing: a title, then one block per graph.
class TextGraphPrinter : public GraphPrinter {
 public:
  /// Prints only graphs whose codimension equals edge_filter (not given:
  /// all); a negative one throws std::invalid_argument.
  TextGraphPrinter(FILE* file, int g, int n, std::optional<int> edge_filter);
  TextGraphPrinter(FILE* file, int g, int n);

  void BeginPrint() override;
  void PrintSomeGraph(const GraphsByCodimension& graphs) override;
  void EndPrint() override;

  FILE* file;
  std::optional<int> edge_filter;
  int g;
  int n;
};

#endif  // STABLE_GRAPHS_PRINTERS_TEXT_GRAPH_PRINTER_H_
