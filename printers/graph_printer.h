// Copyright 2026 The stable-graphs Authors.
#ifndef STABLE_GRAPHS_PRINTERS_GRAPH_PRINTER_H_
#define STABLE_GRAPHS_PRINTERS_GRAPH_PRINTER_H_

#include <stdint.h>

#include <map>
#include <vector>

class Graph;

/// The graphs of one pass, by codimension (ascending), each list in the
/// order the search stored them.  Owned by the enumerator.
typedef std::map<int8_t, std::vector<Graph*>> GraphsByCodimension;

/// Receives the graphs of a run.
///
/// The enumerator calls BeginPrint once, then PrintSomeGraph once per pass
/// (ascending component count K, starting with K = 1, the map possibly
/// empty), then EndPrint once; for a type with 2g - 3 + n < 0 it calls
/// nothing.  The map and its graphs belong to the enumerator and are freed
/// as soon as PrintSomeGraph returns, so a printer keeps no pointer to them.
class GraphPrinter {
 public:
  virtual ~GraphPrinter() {}
  /// Writes whatever precedes the first graph.
  virtual void BeginPrint() = 0;
  /// Writes the graphs of one pass.
  virtual void PrintSomeGraph(GraphsByCodimension& graphs) = 0;
  /// Writes whatever follows the last graph.
  virtual void EndPrint() = 0;
};

#endif  // STABLE_GRAPHS_PRINTERS_GRAPH_PRINTER_H_
