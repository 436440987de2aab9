// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "stream/binary_graph_printer.h"

#include "graph/graph.h"
#include "stream/record_io.h"

BinaryGraphPrinter::BinaryGraphPrinter(FILE* file_, int g_, int n_, std::optional<int> edge_filter_)
    : file(file_), edge_filter(CheckedCodimension(edge_filter_)), g(g_), n(n_) {}

BinaryGraphPrinter::BinaryGraphPrinter(FILE* file_, int g_, int n_)
    : BinaryGraphPrinter(file_, g_, n_, std::nullopt) {}

void BinaryGraphPrinter::BeginPrint() { fputc(labelled ? 1 : 0, file); }

void BinaryGraphPrinter::PrintSomeGraph(const GraphsByCodimension& graphs) {
  ForEachGraphToPrint(graphs, edge_filter, [this](const Graph& graph) { WriteRecord(file, graph); });
}

void BinaryGraphPrinter::EndPrint() { fputc(0, file); }
