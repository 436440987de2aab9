// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_PRINTERS_LATEX_GRAPH_PRINTER_H_
#define STABLE_GRAPHS_PRINTERS_LATEX_GRAPH_PRINTER_H_

#include <stdio.h>

#include <optional>

#include "graph/graph_printer.h"
#include "graph/resumable_printer.h"

/// Writes the TikZ picture of one graph.
void WriteTikzPicture(FILE* file, const Graph& graph);

/// Writes a LaTeX document: a longtable with `columns` graphs per row, an
/// Id cell and a TikZ picture per graph, and a separator row wherever the
/// codimension changes.
class LaTeXGraphPrinter : public GraphPrinter, public ResumablePrinter {
 public:
  /// Prints only graphs whose codimension equals edge_filter (not given:
  /// all); a negative one throws std::invalid_argument.
  LaTeXGraphPrinter(FILE* file, int g, int n, std::optional<int> edge_filter);
  LaTeXGraphPrinter(FILE* file, int g, int n);

  void BeginPrint() override;
  void PrintSomeGraph(const GraphsByCodimension& graphs) override;
  void EndPrint() override;
  /// The table position: "section-key cell-counter".
  std::string State() const override;
  bool RestoreState(const std::string& state) override;
  std::string RestoredStateProblem(const PrintedSoFar& printed) const override;

  FILE* file;
  std::optional<int> edge_filter;
  int columns;
  int g;
  int n;

 private:
  /// Writes one table cell, opening a new section when the key changes; the
  /// key is K when by_components, else the codimension.
  void print_middle(const Graph* graph, bool by_components);

  // Table state of the document being written; BeginPrint resets it.
  int prev_K = 1;
  int counter = 0;
};

#endif  // STABLE_GRAPHS_PRINTERS_LATEX_GRAPH_PRINTER_H_
