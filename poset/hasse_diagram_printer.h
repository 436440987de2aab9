// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_POSET_HASSE_DIAGRAM_PRINTER_H_
#define STABLE_GRAPHS_POSET_HASSE_DIAGRAM_PRINTER_H_

#include <stdio.h>

#include <map>
#include <vector>

#include "poset/poset_printer.h"

/// Writes the Hasse diagram of the poset of strata as one Graphviz
/// digraph: a node per graph, named by its Id, an arrow from each graph to
/// each of its contractions labelled with the number of edges that
/// contract to it, and after all the graphs one subgraph per codimension
/// that puts its graphs on one level, codimension 0 at the top:
///
///   digraph "strata of (1, 1)" {
///     rankdir=BT;
///     node [shape=box];
///     "(1, 0, 1)";
///     "(1, 1, 1)";
///     "(1, 1, 1)" -> "(1, 0, 1)" [label="1"];
///     ...
///     subgraph "codimension 0" {
///       rank=same;
///       "(1, 0, 1)";
///     }
///     ...
///   }
///
/// With an edge filter c the nodes are the graphs of codimension c and the
/// targets of their arrows, which the level of codimension c - 1 lists.  A
/// target that is not among the graphs of the run gets no arrow.
class HasseDiagramPrinter : public PosetPrinter {
 public:
  /// Writes to file the diagram of type (g, n); edge_filter not given for
  /// all graphs; threads as for PosetPrinter.
  HasseDiagramPrinter(FILE* file, int g, int n, std::optional<int> edge_filter, int threads = 0);

 protected:
  void write_begin() override;
  void write_graph(const GraphId& id, const std::vector<Contraction>& contractions) override;
  void write_end() override;
  void note_target(const GraphId& id) override;

 private:
  int g_;
  int n_;
  // The Ids of every level, in printing order.
  std::map<int, std::vector<GraphId>> levels_;
};

#endif  // STABLE_GRAPHS_POSET_HASSE_DIAGRAM_PRINTER_H_
