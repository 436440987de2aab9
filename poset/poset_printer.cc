// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "poset/poset_printer.h"

#include <utility>

#include "computer/parallel_runner.h"
#include "poset/stratum_key.h"

PosetPrinter::PosetPrinter(FILE* file, std::optional<int> edge_filter, int threads)
    : file_(file), edge_filter_(CheckedCodimension(edge_filter)), threads_(threads > 0 ? threads : UsableCpuCount()) {}

// The targets recorded before the run stay: they are its memory.
void PosetPrinter::BeginPrint() {
  printed_.Reset();
  write_begin();
}

void PosetPrinter::EndPrint() { write_end(); }

void PosetPrinter::RecordTarget(const Graph& graph) { record_target(graph, StratumKey(graph)); }

void PosetPrinter::record_target(const Graph& graph, std::string key) {
  GraphId id = targets_.Next(graph);
  poset_.Remember(std::move(key), id);
  note_target(id);
}

// The keys, which take nearly all the time, are found in parallel; the
// lookups and the writing follow in printing order.
void PosetPrinter::PrintSomeGraph(const GraphsByCodimension& graphs) {
  size_t used = 0;
  for (auto& entry : graphs) {
    for (const Graph* graph : entry.second) {
      bool printed = InCodimension(graph->codimension, edge_filter_);
      if (!printed && graph->codimension != *edge_filter_ - 1) continue;
      if (used == batch_.size()) batch_.emplace_back();
      batch_[used].graph = graph;
      batch_[used++].printed = printed;
    }
  }
  // Small batches on this thread alone: starting threads would cost more.
  size_t parts = used < 256 ? 1 : static_cast<size_t>(threads_);
  RunInParallel(parts, static_cast<int>(parts), [&](size_t part) {
    Graph scratch(-1, -1, -1);
    for (size_t i = used * part / parts; i < used * (part + 1) / parts; ++i) prepare(batch_[i], scratch);
  });
  for (size_t i = 0; i < used; ++i) {
    if (batch_[i].printed)
      print_graph(batch_[i]);
    else
      record_target(*batch_[i].graph, std::move(batch_[i].key));
  }
}

void PosetPrinter::prepare(Prepared& item, Graph& scratch) const {
  item.key.clear();
  item.contractions.clear();
  if (!item.printed || !edge_filter_) item.key = StratumKey(*item.graph);
  if (item.printed) ContractionKeys(*item.graph, scratch, item.contractions);
}

void PosetPrinter::print_graph(Prepared& item) {
  const Graph& graph = *item.graph;
  GraphId id = printed_.Next(graph);
  const std::vector<Contraction>& contractions = poset_.Resolve(graph.K, item.contractions);
  int edges = 0;
  bool complete = true;
  for (const Contraction& contraction : contractions) {
    edges += contraction.edges;
    complete = complete && contraction.found;
  }
  // A graph with edges has a contraction for each; none at all for a graph
  // of codimension >= 1 would be a record that contradicts itself.
  if (!complete || edges != graph.codimension) {
    if (incomplete_++ == 0) {
      first_incomplete_ = GraphIdText(id);
      for (const Contraction& contraction : contractions) {
        if (contraction.found) continue;
        first_incomplete_ += " contracts to a graph with " + std::to_string(contraction.target.components) +
                             " components and codimension " + std::to_string(contraction.target.codimension) +
                             " that is not among the graphs";
        break;
      }
      if (complete)
        first_incomplete_ += " has " + std::to_string(edges) + " edges to contract but codimension " +
                             std::to_string(graph.codimension);
    }
  }
  write_graph(id, contractions);
  if (!edge_filter_) poset_.Remember(std::move(item.key), id);
}

std::string PosetPrinter::Problem() const {
  if (incomplete_ == 0) return "";
  std::string problem = "contraction check: " + first_incomplete_;
  if (incomplete_ > 1) problem += " (" + std::to_string(incomplete_) + " graphs have a contraction missing)";
  return problem;
}
