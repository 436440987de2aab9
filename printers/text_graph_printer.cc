// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "printers/text_graph_printer.h"

#include "graph/graph.h"

TextGraphPrinter::TextGraphPrinter(FILE* file_, int g_, int n_, int edge_filter_)
    : file(file_), edge_filter(edge_filter_), g(g_), n(n_) {}

TextGraphPrinter::TextGraphPrinter(FILE* file_, int g_, int n_)
    : TextGraphPrinter(file_, g_, n_, -1) {}

void TextGraphPrinter::BeginPrint() { fprintf(file, "Strata of \\bar{M}_{%d, %d}\n\n", g, n); }

void TextGraphPrinter::PrintSomeGraph(GraphsByCodimension& graphs) {
  ForEachGraphToPrint(graphs, edge_filter, [this](const Graph& graph) { graph.PrintNormal(file); });
}

void TextGraphPrinter::EndPrint() {}
