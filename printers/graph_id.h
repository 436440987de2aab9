// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_PRINTERS_GRAPH_ID_H_
#define STABLE_GRAPHS_PRINTERS_GRAPH_ID_H_

#include <string>

#include "graph/graph.h"

/// The name the LaTeX table and the Graphviz output give a graph:
/// (components, codimension, number).
struct GraphId {
  int components = 0;
  int codimension = 0;
  int number = 0;
};

/// The Id as the printers write it: "(2, 3, 1)".
std::string GraphIdText(const GraphId& id);

/// Numbers the printed graphs of a run as the LaTeX table does: a run of
/// consecutive printed graphs of one codimension is a section, numbered
/// from 1, across passes.  A run with -C prints one codimension only, so
/// there its graphs are numbered 1, 2, ... whatever their components.
class GraphIdNumbering {
 public:
  /// The Id of the next printed graph.
  GraphId Next(const Graph& graph);
  /// Starts the numbering of a new run.
  void Reset();
  /// The numbering so far: "section-codimension number".
  std::string State() const;
  /// The codimension of the section under way (-1 before the first graph)
  /// and the number of its last graph.
  int section_codimension() const { return section_codimension_; }
  int number() const { return number_; }
  /// Takes up a State(); false, changing nothing, for a text it never returns.
  bool RestoreState(const std::string& state);

 private:
  int section_codimension_ = -1;
  int number_ = 0;
};

#endif  // STABLE_GRAPHS_PRINTERS_GRAPH_ID_H_
