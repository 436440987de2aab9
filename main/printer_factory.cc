// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "main/printer_factory.h"

#include <string.h>

#include <utility>

#include "poset/contraction_printer.h"
#include "poset/hasse_diagram_printer.h"
#include "printers/dot_graph_printer.h"
#include "printers/json_graph_printer.h"
#include "printers/latex_graph_printer.h"
#include "printers/null_graph_printer.h"
#include "printers/sage_graph_printer.h"
#include "printers/text_graph_printer.h"
#include "stream/binary_graph_printer.h"

const char kFormatLetters[] = "L, T, B, J, S, D, C, H or N";

bool FormatOfLetter(char letter, Format* format) {
  static const char kLetters[] = "LTBJSDNCH";
  static const Format kFormats[] = {Format::kLaTeX, Format::kText, Format::kBinary,       Format::kJson, Format::kSage,
                                    Format::kDot,   Format::kNone, Format::kContractions, Format::kHasse};
  const char* at = letter == '\0' ? nullptr : strchr(kLetters, letter);
  if (at == nullptr) return false;
  *format = kFormats[at - kLetters];
  return true;
}

bool IsPosetFormat(Format format) { return format == Format::kContractions || format == Format::kHasse; }

namespace {

/// `printer` with its resumable part (ResumablePartOf, the one place a
/// printer's state is found).
FormatPrinter made(std::unique_ptr<GraphPrinter> printer) {
  FormatPrinter result;
  result.resumable = &ResumablePartOf(*printer);
  result.printer = std::move(printer);
  return result;
}

}  // namespace

std::unique_ptr<GraphPrinter> MakePrinter(Format format, FILE* file, int g, int n, bool labelled,
                                          std::optional<int> edge_filter) {
  return MakeFormatPrinter(format, file, g, n, labelled, edge_filter).printer;
}

FormatPrinter MakeFormatPrinter(Format format, FILE* file, int g, int n, bool labelled,
                                std::optional<int> edge_filter) {
  switch (format) {
    case Format::kLaTeX: return made(std::make_unique<LaTeXGraphPrinter>(file, g, n));
    case Format::kText: return made(std::make_unique<TextGraphPrinter>(file, g, n));
    case Format::kBinary: {
      auto binary = std::make_unique<BinaryGraphPrinter>(file, g, n);
      binary->labelled = labelled;
      return made(std::move(binary));
    }
    case Format::kJson: return made(std::make_unique<JsonGraphPrinter>(file));
    case Format::kSage: return made(std::make_unique<SageGraphPrinter>(file));
    case Format::kDot: return made(std::make_unique<DotGraphPrinter>(file));
    case Format::kContractions: return made(std::make_unique<ContractionPrinter>(file, edge_filter));
    case Format::kHasse: return made(std::make_unique<HasseDiagramPrinter>(file, g, n, edge_filter));
    case Format::kNone: break;
  }
  return made(std::make_unique<NullGraphPrinter>());
}
