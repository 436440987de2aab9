// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_PRINTERS_GRAPH_ID_H_
#define STABLE_GRAPHS_PRINTERS_GRAPH_ID_H_

#include <stdint.h>

#include <optional>
#include <string>

#include "graph/graph.h"
#include "graph/graph_printer.h"
#include "graph/resumable_printer.h"

/// The name a graph has in every run of its type: (components, codimension,
/// number), the number counting from 1 the graphs of those components and
/// that codimension in the order the tool writes them.
struct GraphId {
  int components = 0;
  int codimension = 0;
  int64_t number = 0;
};

/// The Id as the printers write it: "(2, 3, 1)".
std::string GraphIdText(const GraphId& id);

/// Numbers the printed graphs of a run by their Ids.  The graphs come
/// grouped by components and, within them, by codimension (the tool's
/// order), so a graph's number is one more than the last graph's when both
/// have the same components and codimension, else 1.  A run with -C prints
/// the graphs of one codimension in the order the full run prints them, so
/// it gives each the Id the full run gives it; a run with -M numbers the
/// graphs of its moduli type, and one with -L the labelled graphs printed.
class GraphIdNumbering {
 public:
  /// The Id of the next printed graph.
  GraphId Next(const Graph& graph);
  /// Starts the numbering of a new run.
  void Reset();
  /// The numbering so far: the last Id as "components codimension number",
  /// "" before the first graph.
  std::string State() const;
  /// Takes up a State(); false, changing nothing, for a text it never returns.
  bool RestoreState(const std::string& state);
  /// The Id of the last graph numbered, not given before the first.
  const std::optional<GraphId>& last() const { return last_; }
  /// Empty when the numbering can stand where it does after `printed`
  /// (the graphs printed of codimension `only`, when given); else what is
  /// wrong, naming the printer's numbering as `what`.
  std::string Problem(const PrintedSoFar& printed, std::optional<int> only, const char* what) const;

 private:
  std::optional<GraphId> last_;
};

#endif  // STABLE_GRAPHS_PRINTERS_GRAPH_ID_H_
