// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_MAIN_PRINTER_FACTORY_H_
#define STABLE_GRAPHS_MAIN_PRINTER_FACTORY_H_

#include <stdio.h>

#include <memory>
#include <optional>

#include "graph/graph_printer.h"
#include "graph/resumable_printer.h"

/// The ways both tools can write graphs, each chosen by a letter of -P.
enum class Format {
  kLaTeX,   // L
  kText,    // T
  kBinary,  // B
  kJson,    // J
  kSage,    // S
  kDot,     // D
  kNone,    // N
  /// The contractions of every graph, as JSON Lines.
  kContractions,  // C
  /// The Hasse diagram of the poset of strata, for Graphviz.
  kHasse,  // H
};

/// The format a -P letter names, or false for a letter that names none.
bool FormatOfLetter(char letter, Format* format);

/// The letters of -P, as messages list them.
extern const char kFormatLetters[];

/// Whether `format` writes the poset of strata, which keeps the graphs it
/// has seen and needs those of the codimension below the one it prints.
bool IsPosetFormat(Format format);

/// The printer of `format` for graphs of type (g, n), writing to `file`; a
/// byte stream is labelled when `labelled` is; the poset formats write the
/// graphs with edge_filter edges (not given: all).
std::unique_ptr<GraphPrinter> MakePrinter(Format format, FILE* file, int g, int n, bool labelled,
                                          std::optional<int> edge_filter = std::nullopt);

/// A format's printer with its resumable part: the printer itself when it
/// carries something from one graph to the next, else
/// ResumablePrinter::Stateless().
struct FormatPrinter {
  std::unique_ptr<GraphPrinter> printer;
  ResumablePrinter* resumable = nullptr;
};

/// MakePrinter's printer, with its resumable part, for a run that records
/// or takes up the printer's state.
FormatPrinter MakeFormatPrinter(Format format, FILE* file, int g, int n, bool labelled,
                                std::optional<int> edge_filter = std::nullopt);

#endif  // STABLE_GRAPHS_MAIN_PRINTER_FACTORY_H_
