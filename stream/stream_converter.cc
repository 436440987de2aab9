// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "stream/stream_converter.h"

#include <string>

#include "graph/graph.h"
#include "graph/pass_batcher.h"
#include "stream/stream_error.h"

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
  PassBatcher batcher(printer, batch_size);
  while (next_valid_) {
    int K = next_.K;
    batcher.StartPass();  // every component count gets at least one call
    while (next_valid_ && next_.K == K) {
      if (InCodimension(next_.codimension, edge_filter) && IsOfModuliType(next_, moduli_type)) batcher.Next() = next_;
      try {
        read_ahead();
      } catch (const BinaryStreamError&) {
        batcher.HandOver();  // what came before the damage
        throw;
      }
    }
    batcher.EndPass();
  }
  printer.EndPrint();
}
