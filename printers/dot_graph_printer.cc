// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "printers/dot_graph_printer.h"

#include <sstream>

#include "graph/graph.h"

DotGraphPrinter::DotGraphPrinter(FILE* file_, std::optional<int> edge_filter_)
    : file(file_), edge_filter(CheckedCodimension(edge_filter_)) {}

DotGraphPrinter::DotGraphPrinter(FILE* file_) : DotGraphPrinter(file_, std::nullopt) {}

void DotGraphPrinter::BeginPrint() {
  numbering_.Reset();
  earlier_numbering_ = false;
}

std::string DotGraphPrinter::State() const { return numbering_.State(); }

bool DotGraphPrinter::RestoreState(const std::string& state) {
  std::istringstream in(state);
  int codimension, number;
  char more;
  if (in >> codimension >> number && !(in >> more) && number >= 0) {
    numbering_.Reset();
    earlier_numbering_ = codimension != -1 || number != 0;
    return true;
  }
  if (!numbering_.RestoreState(state)) return false;
  earlier_numbering_ = false;
  return true;
}

// The graphs an earlier version wrote carry the Ids of its numbering,
// which differ from these wherever a codimension section ran across
// passes (with -C, across all of them): going on with these Ids would mix
// the two in one output.
std::string DotGraphPrinter::RestoredStateProblem(const PrintedSoFar& printed) const {
  if (earlier_numbering_)
    return "the Graphviz graphs written so far are numbered along codimension sections, as earlier versions of "
           "stable-graphs numbered them; finish that run with that version";
  return numbering_.Problem(printed, edge_filter, "the graph numbering");
}

void DotGraphPrinter::PrintSomeGraph(const GraphsByCodimension& graphs) {
  ForEachGraphToPrint(graphs, edge_filter, [this](const Graph& graph) { print_graph(graph); });
}

void DotGraphPrinter::print_graph(const Graph& graph) {
  std::string id = GraphIdText(numbering_.Next(graph));
  fprintf(file, "graph \"%s\" {\n", id.c_str());
  fprintf(file, "  label=\"%s\";\n", id.c_str());
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
