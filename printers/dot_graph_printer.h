// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_PRINTERS_DOT_GRAPH_PRINTER_H_
#define STABLE_GRAPHS_PRINTERS_DOT_GRAPH_PRINTER_H_

#include <stdio.h>

#include <optional>

#include <string>

#include "graph/graph_printer.h"
#include "graph/resumable_printer.h"
#include "printers/graph_id.h"

/// Writes Graphviz DOT: one undirected graph per stable graph, named and
/// labelled with its Id (components, codimension, number), the one every
/// run of its type gives it (GraphIdNumbering), its vertices v0, v1, ...
/// labelled like the LaTeX pictures (genus with the number of marked points
/// as subscript), every loop and every parallel edge an edge of its own:
///
///   graph "(2, 2, 1)" {
///     label="(2, 2, 1)";
///     node [shape=circle];
///     v0 [label=<1<sub>0</sub>>];
///     v1 [label=<0<sub>1</sub>>];
///     v0 -- v1;
///     v1 -- v1;
///   }
///
/// A labelled graph adds, after the edges, a plain node pL for each label L
/// joined to its vertex: `p1 [shape=plaintext, label="1"];` `v0 -- p1;`.
///
/// `dot -Tsvg` draws each graph of the output as a picture of its own.
class DotGraphPrinter : public GraphPrinter, public ResumablePrinter {
 public:
  /// Prints only graphs whose codimension equals edge_filter (not given:
  /// all); a negative one throws std::invalid_argument.
  DotGraphPrinter(FILE* file, std::optional<int> edge_filter);
  explicit DotGraphPrinter(FILE* file);

  void BeginPrint() override;
  void PrintSomeGraph(const GraphsByCodimension& graphs) override;
  void EndPrint() override {}
  /// The numbering: the last Id, "components codimension number".
  std::string State() const override;
  /// Takes up a State(), or the "codimension number" that earlier versions
  /// recorded when they numbered the graphs along codimension sections:
  /// before the first graph that is the start of the numbering, after it
  /// a numbering RestoredStateProblem refuses.
  bool RestoreState(const std::string& state) override;
  std::string RestoredStateProblem(const PrintedSoFar& printed) const override;

  FILE* file;
  std::optional<int> edge_filter;

 private:
  /// Writes one graph under its Id.
  void print_graph(const Graph& graph);

  GraphIdNumbering numbering_;
  // Whether the state taken up numbered graphs as earlier versions did.
  bool earlier_numbering_ = false;
};

#endif  // STABLE_GRAPHS_PRINTERS_DOT_GRAPH_PRINTER_H_
