// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "printers/sage_graph_printer.h"

#include <utility>
#include <vector>

#include "graph/graph.h"

namespace {

/// The legs of every vertex and the edges as label pairs, numbered as the
/// class comment says.
struct Labels {
  std::vector<std::vector<int>> legs;
  std::vector<std::pair<int, int>> edges;
  int next = 1;
};

/// Joins vertices u and v (u == v for a loop) by an edge with the next two
/// labels.
void add_edge(Labels& labels, int u, int v) {
  labels.legs[u].push_back(labels.next);
  labels.legs[v].push_back(labels.next + 1);
  labels.edges.emplace_back(labels.next, labels.next + 1);
  labels.next += 2;
}

Labels label(const Graph& graph) {
  Labels labels;
  labels.legs.resize(graph.K);
  if (graph.labelled) {
    for (int v = 0; v < graph.K; ++v) labels.legs[v] = graph.LabelsAt(v);
    labels.next = graph.n + 1;
  } else {
    for (int v = 0; v < graph.K; ++v)
      for (int m = 0; m < graph.marked_points[v]; ++m) labels.legs[v].push_back(labels.next++);
  }
  for (int i = 0; i < graph.K; ++i)
    for (int j = i + 1; j < graph.K; ++j)
      for (int e = 0; e < graph.adjacency[i][j]; ++e) add_edge(labels, i, j);
  for (int v = 0; v < graph.K; ++v)
    for (int e = 0; e < graph.loops[v]; ++e) add_edge(labels, v, v);
  return labels;
}

}  // namespace

SageGraphPrinter::SageGraphPrinter(FILE* file_, std::optional<int> edge_filter_)
    : file(file_), edge_filter(CheckedCodimension(edge_filter_)) {}

SageGraphPrinter::SageGraphPrinter(FILE* file_) : SageGraphPrinter(file_, std::nullopt) {}

void SageGraphPrinter::PrintSomeGraph(const GraphsByCodimension& graphs) {
  ForEachGraphToPrint(graphs, edge_filter, [this](const Graph& graph) { print_line(graph); });
}

void SageGraphPrinter::print_line(const Graph& graph) {
  Labels labels = label(graph);
  fputs("StableGraph([", file);
  for (int v = 0; v < graph.K; ++v) fprintf(file, v == 0 ? "%d" : ", %d", graph.genus[v]);
  fputs("], [", file);
  for (int v = 0; v < graph.K; ++v) {
    fputs(v == 0 ? "[" : ", [", file);
    for (size_t l = 0; l < labels.legs[v].size(); ++l) fprintf(file, l == 0 ? "%d" : ", %d", labels.legs[v][l]);
    fputc(']', file);
  }
  fputs("], [", file);
  for (size_t e = 0; e < labels.edges.size(); ++e)
    fprintf(file, e == 0 ? "(%d, %d)" : ", (%d, %d)", labels.edges[e].first, labels.edges[e].second);
  fputs("])\n", file);
}
