// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_PRINTERS_PRINTER_FACTORY_H_
#define STABLE_GRAPHS_PRINTERS_PRINTER_FACTORY_H_

#include <stdio.h>

#include <memory>

#include "graph/graph_printer.h"

/// The ways both tools can write graphs, each chosen by a letter of -P.
enum class Format {
  kLaTeX,   // L
  kText,    // T
  kBinary,  // B
  kJson,    // J
  kSage,    // S
  kDot,     // D
  kNone,    // N
};

/// The format a -P letter names, or false for a letter that names none.
bool FormatOfLetter(char letter, Format* format);

/// The printer of `format` for graphs of type (g, n), writing to `file`; a
/// byte stream is labelled when `labelled` is.
std::unique_ptr<GraphPrinter> MakePrinter(Format format, FILE* file, int g, int n, bool labelled);

#endif  // STABLE_GRAPHS_PRINTERS_PRINTER_FACTORY_H_
