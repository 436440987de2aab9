// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_PRINTERS_NULL_GRAPH_PRINTER_H_
#define STABLE_GRAPHS_PRINTERS_NULL_GRAPH_PRINTER_H_

#include "graph/graph_printer.h"

/// A printer that writes nothing, for runs that only count.
class NullGraphPrinter : public GraphPrinter {
 public:
  void BeginPrint() override {}
  void PrintSomeGraph(const GraphsByCodimension&) override {}
  void EndPrint() override {}
};

#endif  // STABLE_GRAPHS_PRINTERS_NULL_GRAPH_PRINTER_H_
