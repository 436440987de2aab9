// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "main/stream_converter.h"

#include <stdint.h>

#include <string>

#include "graph/binary_stream_error.h"
#include "graph/graph.h"

namespace {

std::string type_name(int g, int n) { return "(" + std::to_string(g) + ", " + std::to_string(n) + ")"; }

/// Names the first negative count of graph, or returns an empty string.
std::string negative_count(const Graph& graph) {
  for (int i = 0; i < graph.K; ++i) {
    if (graph.genus[i] < 0) return "genus";
    if (graph.marked_points[i] < 0) return "marked-point count";
    if (graph.loops[i] < 0) return "loop count";
    for (int j = i + 1; j < graph.K; ++j)
      if (graph.adjacency[i][j] < 0) return "edge multiplicity";
  }
  return "";
}

/// The number of edges: the loops and the multiplicities above the
/// diagonal, which a stream record does not store.
int count_edges(const Graph& graph) {
  int edges = 0;
  for (int i = 0; i < graph.K; ++i)
    for (int j = i; j < graph.K; ++j) edges += graph.adjacency[i][j];
  return edges;
}

}  // namespace

StreamConverter::StreamConverter(BinaryGraphReader& reader) : reader_(reader), next_(-1, -1, -1) {}

void StreamConverter::Start() {
  read_ahead();
  if (!next_valid_) return;
  has_graphs = true;
  g = next_.g;
  n = next_.n;
  if (2 * g - 3 + n < 0) throw BinaryStreamError("damaged graph stream: no stable graph has type " + type_name(g, n));
}

void StreamConverter::read_ahead() {
  next_valid_ = reader_.ReadNext(next_);
  if (next_valid_) check_graph(next_);
}

void StreamConverter::check_graph(Graph& graph) {
  ++number_;
  std::string where = "graph " + std::to_string(number_) + " with " + std::to_string(graph.K) + " components";
  std::string negative = negative_count(graph);
  if (!negative.empty()) throw BinaryStreamError("damaged graph stream: " + where + " has a negative " + negative);
  if (has_graphs && (graph.g != g || graph.n != n)) {
    throw BinaryStreamError("damaged graph stream: " + where + " is of type " + type_name(graph.g, graph.n) +
                            ", the graphs before it of type " + type_name(g, n));
  }
  int edges = count_edges(graph);
  if (edges > INT8_MAX) throw BinaryStreamError("damaged graph stream: " + where + " has too many edges");
  graph.codimension = static_cast<int8_t>(edges);
  // stable-graphs writes by component count, then by codimension.
  if (graph.K < last_K_ || (graph.K == last_K_ && edges < last_codimension_)) {
    throw BinaryStreamError("damaged graph stream: " + where + " and codimension " + std::to_string(edges) +
                            " comes after one with " + std::to_string(last_K_) + " components and codimension " +
                            std::to_string(last_codimension_));
  }
  last_K_ = graph.K;
  last_codimension_ = edges;
}

std::string StreamConverter::SettleType(bool given, int genus, int marked_points, bool title_needed) {
  if (has_graphs) {
    if (given && (genus != g || marked_points != n))
      return "the stream holds graphs of type " + type_name(g, n) + ", not " + type_name(genus, marked_points);
    return "";
  }
  if (given) {
    g = genus;
    n = marked_points;
    return "";
  }
  if (title_needed)
    return "the stream holds no graph, so it does not tell the type for the title: "
           "give genus [marked_points] after the stream";
  return "";
}

void StreamConverter::Replay(GraphPrinter& printer, int edge_filter) {
  printer.BeginPrint();
  std::vector<Graph> batch;
  batch.reserve(batch_size);  // the printer gets pointers into it
  while (next_valid_) {
    int K = next_.K;
    bool handed = false;  // every component count gets at least one call
    while (next_valid_ && next_.K == K) {
      if (edge_filter == -1 || next_.codimension == edge_filter) {
        if (batch.size() == batch_size) {
          hand_over(printer, batch);
          handed = true;
        }
        batch.push_back(next_);
      }
      try {
        read_ahead();
      } catch (const BinaryStreamError&) {
        hand_over(printer, batch);  // what came before the damage
        throw;
      }
    }
    if (!batch.empty() || !handed) hand_over(printer, batch);
  }
  printer.EndPrint();
}

void StreamConverter::hand_over(GraphPrinter& printer, std::vector<Graph>& batch) {
  GraphsByCodimension pass;
  for (Graph& graph : batch) pass[graph.codimension].push_back(&graph);
  printer.PrintSomeGraph(pass);
  batch.clear();
}
