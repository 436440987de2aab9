// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "printers/dot_graph_printer.h"

#include "graph/graph.h"

DotGraphPrinter::DotGraphPrinter(FILE* file_, int edge_filter_) : file(file_), edge_filter(edge_filter_) {}

DotGraphPrinter::DotGraphPrinter(FILE* file_) : DotGraphPrinter(file_, -1) {}

void DotGraphPrinter::BeginPrint() {
  section_codimension_ = -1;
  number_ = 0;
}

std::string DotGraphPrinter::State() const {
  return std::to_string(section_codimension_) + " " + std::to_string(number_);
}

bool DotGraphPrinter::RestoreState(const std::string& state) {
  int codimension, number, used = 0;
  if (sscanf(state.c_str(), "%d %d%n", &codimension, &number, &used) != 2 ||
      static_cast<size_t>(used) != state.size() || number < 0)
    return false;
  section_codimension_ = codimension;
  number_ = number;
  return true;
}

std::string DotGraphPrinter::RestoredStateProblem(const PrintedSoFar& printed) const {
  return SectionProblem(printed, edge_filter, section_codimension_, number_, -1, "the graph numbering");
}

void DotGraphPrinter::PrintSomeGraph(GraphsByCodimension& graphs) {
  ForEachGraphToPrint(graphs, edge_filter, [this](const Graph& graph) { print_graph(graph); });
}

void DotGraphPrinter::print_graph(const Graph& graph) {
  number_ = graph.codimension == section_codimension_ ? number_ + 1 : 1;
  section_codimension_ = graph.codimension;
  fprintf(file, "graph \"(%d, %d, %d)\" {\n", graph.K, graph.codimension, number_);
  fprintf(file, "  label=\"(%d, %d, %d)\";\n", graph.K, graph.codimension, number_);
  fputs("  node [shape=circle];\n", file);
  for (int v = 0; v < graph.K; ++v)
    fprintf(file, "  v%d [label=<%d<sub>%d</sub>>];\n", v, graph.genus[v], graph.marked_points[v]);
  // Row by row over the upper triangle, the diagonal holding the loops: a
  // multigraph, so each edge is a line of its own.
  for (int i = 0; i < graph.K; ++i)
    for (int j = i; j < graph.K; ++j)
      for (int e = 0; e < (i == j ? graph.loops[i] : graph.adjacency[i][j]); ++e)
        fprintf(file, "  v%d -- v%d;\n", i, j);
  // A labelled graph draws each marked point as a leg ending in its label.
  if (graph.labelled) {
    for (int l = 0; l < graph.n && l < kMaxLabels; ++l) {
      fprintf(file, "  p%d [shape=plaintext, label=\"%d\"];\n", l + 1, l + 1);
      fprintf(file, "  v%d -- p%d;\n", graph.vertex_of_label[l], l + 1);
    }
  }
  fputs("}\n", file);
}
