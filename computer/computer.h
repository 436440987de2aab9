// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_COMPUTER_COMPUTER_H_
#define STABLE_GRAPHS_COMPUTER_COMPUTER_H_

#include <stdio.h>

#include <vector>

#include "computer/statistics_mode.h"
#include "graph/graph_printer.h"

/// An enumerator of the stable graphs of one type (g, n).
class Computer {
 public:
  virtual ~Computer() {}
  /// A new vector, owned by the caller, of the graphs currently stored.
  virtual std::vector<const Graph*>* GetAllResults() = 0;
  /// The store itself, by codimension.
  virtual GraphsByCodimension* GetAllResultsByCodimension() = 0;
  /// Runs the enumeration, handing each pass to the printer; `mode` says
  /// what the run reports.
  virtual void Compute(GraphPrinter& printer, ::Statistics mode) = 0;
  virtual void Compute(GraphPrinter& printer) = 0;
  /// Writes the full report of the counters.
  virtual void Statistics(FILE* out) = 0;
  /// Writes the terse report of the counters.
  virtual void TerseStatistics(FILE* out) = 0;
};

#endif  // STABLE_GRAPHS_COMPUTER_COMPUTER_H_
