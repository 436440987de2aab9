// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
//
// Graphs arrive as a run or a stream writes them: by component count, then
// by codimension, each isomorphism class once.  The Id of a graph counts
// the graphs of its component count and codimension before it, so it is
// the same in every run that writes the graph.  A labelled graph's Id
// counts the labelled graphs before it: those of the graphs before its own
// (their numbers of labellings), then its own labellings before it, in the
// order CanonicalLabellings makes them, which is the order -L writes them.
#include "homology/homology_printer.h"

#include <limits>
#include <stdexcept>

#include "labelled/canonical_labellings.h"
#include "labelled/labelled_count.h"
#include "poset/odd_edge_symmetry.h"

namespace {

CellComplexSettings complex_settings(const HomologyPrinterSettings& settings, bool labelled) {
  CellComplexSettings complex;
  complex.g = settings.g;
  complex.n = settings.n;
  complex.labelled = labelled;
  complex.relative_to = settings.relative_to;
  complex.threads = settings.threads;
  return complex;
}

}  // namespace

HomologyPrinter::HomologyPrinter(GraphPrinter& printer, const HomologyPrinterSettings& settings)
    : printer_(printer), settings_(settings), quotient_(complex_settings(settings, false)) {
  if (settings.labelled_complex || settings.labelled_graphs)
    labelled_ = std::make_unique<CellComplex>(complex_settings(settings, true));
}

void HomologyPrinter::PrintSomeGraph(const GraphsByCodimension& graphs) {
  ForEachGraphToPrint(graphs, std::nullopt, [this](const Graph& graph) { add(graph); });
  printer_.PrintSomeGraph(graphs);
}

void HomologyPrinter::EndPrint() {
  printer_.EndPrint();
  quotient_.Seal();
  if (labelled_) labelled_->Seal();
}

void HomologyPrinter::add(const Graph& graph) {
  sums_.Add(graph);
  if (graph.labelled)
    add_labelled(graph);
  else
    add_unlabelled(graph);
}

GraphId HomologyPrinter::next_id(std::map<IdKey, uint64_t>& numbers, const Graph& graph, uint64_t count) {
  uint64_t& last = numbers[IdKey(graph.K, graph.codimension)];
  GraphId id;
  id.components = graph.K;
  id.codimension = graph.codimension;
  if (last + 1 > static_cast<uint64_t>(std::numeric_limits<int>::max()))
    throw std::length_error("more graphs of one component count and codimension than an Id can number");
  id.number = static_cast<int>(last + 1);
  last += count;
  return id;
}

void HomologyPrinter::add_unlabelled(const Graph& graph) {
  GraphId id = next_id(numbers_, graph);
  if (quotient_.IsCell(graph)) quotient_.Add(graph, id);
  if (!labelled_) return;
  uint64_t first = 0;
  if (settings_.ids) {
    mpz_class count = LabelledGraphCount(graph);
    if (!count.fits_ulong_p()) throw std::length_error("a graph has more labelled graphs than an Id can number");
    first = static_cast<uint64_t>(next_id(labelled_numbers_, graph, count.get_ui()).number);
  }
  // The automorphisms that keep the labels fix every vertex with points,
  // whatever the labelling, so one test decides for every labelled graph.
  if (labelled_->MayBeCell(graph) && !HasOddEdgeSymmetry(graph, true)) add_labellings(graph, first);
}

void HomologyPrinter::add_labellings(const Graph& graph, uint64_t first_number) {
  Graph labelled = graph;
  labelled.labelled = true;
  uint64_t number = first_number;
  CanonicalLabellings(graph).ForEach([&](const int8_t* word) {
    for (int l = 0; l < graph.n; ++l) labelled.vertex_of_label[l] = word[l];
    GraphId id;
    id.components = graph.K;
    id.codimension = graph.codimension;
    id.number = static_cast<int>(number++);
    labelled_->Add(labelled, id);
  });
}

void HomologyPrinter::add_labelled(const Graph& graph) {
  GraphId id = next_id(labelled_numbers_, graph);
  if (labelled_->IsCell(graph)) labelled_->Add(graph, id);
  if (last_.K > 0 && last_.SameDescription(graph)) return;
  last_ = graph;
  Graph underlying = graph;
  underlying.labelled = false;
  GraphId underlying_id = next_id(numbers_, underlying);
  if (quotient_.IsCell(underlying)) quotient_.Add(underlying, underlying_id);
}
