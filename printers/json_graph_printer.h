// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_PRINTERS_JSON_GRAPH_PRINTER_H_
#define STABLE_GRAPHS_PRINTERS_JSON_GRAPH_PRINTER_H_

#include <stdio.h>

#include <optional>

#include <string>

#include "graph/graph_printer.h"
#include "graph/resumable_printer.h"
#include "printers/graph_id.h"

/// Writes JSON Lines: one object per graph with its type, its component
/// count, its codimension, the per-vertex arrays, its edges, the order of
/// its automorphism group and its Id.
///
/// Each line reads {"g": 2, "n": 1, "K": 2, "codimension": 3, "genus": [..],
/// "marked_points": [..], "loops": [..], "edges": [[i, j, multiplicity], ..],
/// "automorphisms": 8, "id": [2, 3, 1]}, the edges as pairs i < j in row
/// order, the order an exact integer however large, the Id
/// [components, codimension, number] that every run of the type gives the
/// graph (GraphIdNumbering).  A labelled graph has "legs": [..] after
/// "marked_points", the labels at each vertex in ascending order, and its
/// automorphisms keep the labels.  There is nothing before the first
/// line or after the last, so concatenated outputs stay valid JSON Lines.
class JsonGraphPrinter : public GraphPrinter, public ResumablePrinter {
 public:
  /// Prints only graphs whose codimension equals edge_filter (not given:
  /// all); a negative one throws std::invalid_argument.
  JsonGraphPrinter(FILE* file, std::optional<int> edge_filter);
  explicit JsonGraphPrinter(FILE* file);

  void BeginPrint() override { numbering_.Reset(); }
  void PrintSomeGraph(const GraphsByCodimension& graphs) override;
  void EndPrint() override {}
  /// The numbering: the last Id, "components codimension number".
  std::string State() const override { return numbering_.State(); }
  bool RestoreState(const std::string& state) override { return numbering_.RestoreState(state); }
  /// Earlier versions wrote no Id and recorded the empty state: taken up
  /// after graphs were printed, it is refused.
  std::string RestoredStateProblem(const PrintedSoFar& printed) const override;

  FILE* file;
  std::optional<int> edge_filter;

 private:
  /// Writes the JSON object of one graph on one line.
  void print_line(const Graph& graph);

  GraphIdNumbering numbering_;
};

#endif  // STABLE_GRAPHS_PRINTERS_JSON_GRAPH_PRINTER_H_
