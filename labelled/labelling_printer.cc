// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "labelled/labelling_printer.h"

#include <string.h>

#include "labelled/canonical_labellings.h"

LabellingPrinter::LabellingPrinter(GraphPrinter& printer, size_t batch_size)
    : LabellingPrinter(printer, ResumablePartOf(printer), batch_size) {}

LabellingPrinter::LabellingPrinter(GraphPrinter& printer, ResumablePrinter& resumable, size_t batch_size)
    : printer_(printer), resumable_(resumable), batcher_(printer, batch_size) {}

std::string LabellingPrinter::RestoredStateProblem(const PrintedSoFar& printed) const {
  PrintedSoFar labelled = printed;
  labelled.per_components = printed.labelled_per_components;
  labelled.per_codimension = printed.labelled_per_codimension;
  return resumable_.RestoredStateProblem(labelled);
}

void LabellingPrinter::BeginPrint() { printer_.BeginPrint(); }

void LabellingPrinter::EndPrint() {
  batcher_.Release();
  source_.clear();
  printer_.EndPrint();
}

// Each call passes on at least once, so that the printer sees the passes
// as they come, empty ones included.
void LabellingPrinter::PrintSomeGraph(const GraphsByCodimension& graphs) {
  ++call_;
  for (auto& entry : graphs) {
    for (const Graph* graph : entry.second) {
      CanonicalLabellings(*graph).ForEach([this, graph](const int8_t* word) { add(*graph, word); });
    }
  }
  batcher_.HandOver();
}

void LabellingPrinter::add(const Graph& graph, const int8_t* word) {
  Graph& labelled = batcher_.Next();
  size_t place = batcher_.LastPlace();
  if (place == source_.size()) source_.emplace_back(nullptr, 0);
  // A graph with more labellings than a batch fills the same records
  // batch after batch: then only the labels change.
  std::pair<const Graph*, uint64_t> source(&graph, call_);
  if (source_[place] != source) {
    labelled = graph;
    labelled.labelled = true;
    source_[place] = source;
  }
  memcpy(labelled.vertex_of_label, word, static_cast<size_t>(graph.n));
}
