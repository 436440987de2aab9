// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "printers/text_graph_printer.h"

#include <vector>

#include "graph/graph.h"

TextGraphPrinter::TextGraphPrinter(FILE* file_, int g_, int n_, std::optional<int> edge_filter_)
    : file(file_), edge_filter(CheckedCodimension(edge_filter_)), g(g_), n(n_) {}

TextGraphPrinter::TextGraphPrinter(FILE* file_, int g_, int n_)
    : TextGraphPrinter(file_, g_, n_, std::nullopt) {}

void TextGraphPrinter::BeginPrint() { fprintf(file, "Strata of \\bar{M}_{%d, %d}\n\n", g, n); }

void TextGraphPrinter::PrintSomeGraph(const GraphsByCodimension& graphs) {
  ForEachGraphToPrint(graphs, edge_filter, [this](const Graph& graph) { WriteGraphText(file, graph); });
}

void TextGraphPrinter::EndPrint() {}

void WriteGraphText(FILE* file, const Graph& graph) {
  int edges = 0;
  for (int i = 0; i < graph.K; ++i)
    for (int j = i; j < graph.K; ++j) edges += graph.adjacency[i][j];
  fprintf(file, "Genus: %d,\n", graph.g);
  fprintf(file, "  codimension: %d,\n", edges);
  fprintf(file, "  irreducible components: %d,\n", graph.K);
  fputs("  with genus ", file);
  for (int i = 0; i < graph.K; ++i) fprintf(file, "%d ", graph.genus[i]);
  fputs("\n  with marked points ", file);
  for (int i = 0; i < graph.K; ++i) fprintf(file, "%d ", graph.marked_points[i]);
  if (graph.labelled) {
    fputs("\n  with labels ", file);
    for (int i = 0; i < graph.K; ++i) {
      std::vector<int> labels = graph.LabelsAt(i);
      fputc('{', file);
      for (size_t l = 0; l < labels.size(); ++l) fprintf(file, l == 0 ? "%d" : ",%d", labels[l]);
      fputs("} ", file);
    }
  }
  fputs("\n  with loops ", file);
  for (int i = 0; i < graph.K; ++i) fprintf(file, "%d ", graph.loops[i]);
  fputs("\n  with adjacency matrix\n", file);
  WriteAdjacencyMatrix(file, graph);
  fputs("\n", file);
}

void WriteAdjacencyMatrix(FILE* file, const Graph& graph) {
  for (int i = 0; i < graph.K; ++i) {
    fputs("    ", file);
    for (int j = 0; j < graph.K; ++j) fprintf(file, "%d ", graph.adjacency[i][j]);
    fputs("\n", file);
  }
}
