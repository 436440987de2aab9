// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "stream/stream_converter.h"

#include <string>

#include "stream/stream_error.h"
#include "graph/graph.h"

namespace {

std::string type_name(int g, int n) { return "(" + std::to_string(g) + ", " + std::to_string(n) + ")"; }

}  // namespace

StreamConverter::StreamConverter(BinaryGraphReader& reader) : reader_(reader), next_(-1, -1, -1) {}

void StreamConverter::Start() {
  read_ahead();
  if (!next_valid_) return;
  has_graphs = true;
  g = next_.g;
  n = next_.n;
}

// The reader checks every record (stable, connected, of one type the tool
// accepts, in the tool's order) and sets its codimension.
void StreamConverter::read_ahead() { next_valid_ = reader_.ReadNext(next_); }

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

void StreamConverter::Replay(GraphPrinter& printer, std::optional<int> edge_filter) {
  printer.BeginPrint();
  std::vector<Graph> batch;
  batch.reserve(batch_size);  // the printer gets pointers into it
  while (next_valid_) {
    int K = next_.K;
    bool handed = false;  // every component count gets at least one call
    while (next_valid_ && next_.K == K) {
      if (InCodimension(next_.codimension, edge_filter) && IsOfModuliType(next_, moduli_type)) {
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
