// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "printers/json_graph_printer.h"

#include <inttypes.h>

#include <vector>

#include "graph/automorphism_order.h"
#include "graph/graph.h"

namespace {

/// Writes "name": [v0, v1, ...] for the first K values.
void print_array(FILE* file, const char* name, const int8_t* values, int K) {
  fprintf(file, ", \"%s\": [", name);
  for (int i = 0; i < K; ++i) fprintf(file, i == 0 ? "%d" : ", %d", values[i]);
  fputc(']', file);
}

}  // namespace

JsonGraphPrinter::JsonGraphPrinter(FILE* file_, std::optional<int> edge_filter_)
    : file(file_), edge_filter(CheckedCodimension(edge_filter_)) {}

JsonGraphPrinter::JsonGraphPrinter(FILE* file_) : JsonGraphPrinter(file_, std::nullopt) {}

// Lines with an Id cannot follow lines without one in one output.
std::string JsonGraphPrinter::RestoredStateProblem(const PrintedSoFar& printed) const {
  std::string problem = numbering_.Problem(printed, edge_filter, "the graph numbering");
  if (!problem.empty() && !numbering_.last())
    problem += ": the lines written so far have no Id, as earlier versions of stable-graphs wrote them; finish "
               "that run with that version";
  return problem;
}

void JsonGraphPrinter::PrintSomeGraph(const GraphsByCodimension& graphs) {
  ForEachGraphToPrint(graphs, edge_filter, [this](const Graph& graph) { print_line(graph); });
}

// The separators are those of Python's json.dumps, so that a line read and
// dumped again by Python comes back unchanged.
void JsonGraphPrinter::print_line(const Graph& graph) {
  fprintf(file, "{\"g\": %d, \"n\": %d, \"K\": %d, \"codimension\": %d", graph.g, graph.n, graph.K,
          graph.codimension);
  print_array(file, "genus", graph.genus, graph.K);
  print_array(file, "marked_points", graph.marked_points, graph.K);
  if (graph.labelled) {
    fputs(", \"legs\": [", file);
    for (int v = 0; v < graph.K; ++v) {
      fputs(v == 0 ? "[" : ", [", file);
      std::vector<int> labels = graph.LabelsAt(v);
      for (size_t l = 0; l < labels.size(); ++l) fprintf(file, l == 0 ? "%d" : ", %d", labels[l]);
      fputc(']', file);
    }
    fputc(']', file);
  }
  print_array(file, "loops", graph.loops, graph.K);
  fputs(", \"edges\": [", file);
  bool first = true;
  for (int i = 0; i < graph.K; ++i) {
    for (int j = i + 1; j < graph.K; ++j) {
      if (graph.adjacency[i][j] == 0) continue;
      fprintf(file, first ? "[%d, %d, %d]" : ", [%d, %d, %d]", i, j, graph.adjacency[i][j]);
      first = false;
    }
  }
  fprintf(file, "], \"automorphisms\": %s", AutomorphismOrder(graph).get_str().c_str());
  GraphId id = numbering_.Next(graph);
  fprintf(file, ", \"id\": [%d, %d, %" PRId64 "]}\n", id.components, id.codimension, id.number);
}
