// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_GRAPH_GRAPH_PRINTER_H_
#define STABLE_GRAPHS_GRAPH_GRAPH_PRINTER_H_

#include <stdint.h>

#include <limits>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "graph/graph.h"

/// The graphs of one pass, by codimension (ascending), each list in the
/// order the search stored them.  Owned by the enumerator; a printer only
/// reads them, hence the const graphs.
typedef std::map<int8_t, std::vector<const Graph*>> GraphsByCodimension;

/// Receives the graphs of a run.
///
/// The enumerator calls BeginPrint once, then PrintSomeGraph for every pass
/// (ascending component count K, starting with K = 1), then EndPrint once;
/// for a type with 2g - 3 + n < 0 it calls nothing.  A pass that is small
/// (at most the enumerator's print batch, 4096 graphs by default) arrives
/// in exactly one call, the map possibly empty; a larger pass arrives in
/// several consecutive calls, each holding the next graphs in printing
/// order (by codimension, then in the order they were found).  A printer
/// must therefore write the same bytes however a pass is split, which all
/// printers here do: they write graph by graph and keep their table state
/// across calls.  The map and its graphs belong to the enumerator and are
/// reused as soon as PrintSomeGraph returns, so a printer keeps no pointer
/// to them.
/// Whether a graph with `edges` edges is among those of codimension `only`
/// (not given: every codimension).
inline bool InCodimension(int edges, std::optional<int> only) {
  // Not `!only || edges == *only`: the optimiser compares the empty
  // optional's unset value first, which is harmless but which valgrind
  // rightly reports as a jump on uninitialised memory.  Selecting bounds
  // by the flag leaves nothing undefined to compare.
  const int lowest = only ? *only : std::numeric_limits<int>::min();
  const int highest = only ? *only : std::numeric_limits<int>::max();
  return lowest <= edges && edges <= highest;
}

/// `codimension` itself, for a printer limited to it; a negative number of
/// edges throws std::invalid_argument, so that -1, which once meant every
/// graph, is not taken for a codimension without graphs (std::nullopt
/// means every graph).
std::optional<int> CheckedCodimension(std::optional<int> codimension);

/// Calls print on every graph of `graphs` in printing order (ascending
/// codimension, then stored order) whose codimension is `codimension`, or
/// on every graph when it is not given: the walk every printer makes.
template <typename Print>
void ForEachGraphToPrint(const GraphsByCodimension& graphs, std::optional<int> codimension, Print print) {
  for (const auto& entry : graphs)
    for (const Graph* graph : entry.second)
      if (InCodimension(graph->codimension, codimension)) print(*graph);
}
/// A bare int once meant -1 for every graph; it must now say which it is.
template <typename Print>
void ForEachGraphToPrint(const GraphsByCodimension& graphs, int codimension, Print print) = delete;

/// Receives the graphs of a run, as described above; a printer that
/// carries something from one graph to the next also implements
/// ResumablePrinter (graph/resumable_printer.h).
class GraphPrinter {
 public:
  virtual ~GraphPrinter() {}
  /// Writes whatever precedes the first graph.
  virtual void BeginPrint() = 0;
  /// Writes the graphs of one pass.
  virtual void PrintSomeGraph(const GraphsByCodimension& graphs) = 0;
  /// Writes whatever follows the last graph.
  virtual void EndPrint() = 0;
};

#endif  // STABLE_GRAPHS_GRAPH_GRAPH_PRINTER_H_
