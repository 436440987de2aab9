// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_HOMOLOGY_HOMOLOGY_PRINTER_H_
#define STABLE_GRAPHS_HOMOLOGY_HOMOLOGY_PRINTER_H_

#include <stdint.h>

#include <map>
#include <memory>
#include <utility>

#include "graph/graph.h"
#include "graph/graph_printer.h"
#include "homology/cell_complex.h"
#include "poset/boundary_complex.h"

/// What a HomologyPrinter collects.
struct HomologyPrinterSettings {
  int g = 0;
  int n = 0;
  /// The graphs arriving have labelled points (a labelled byte stream).
  bool labelled_graphs = false;
  /// Collect the cells of Delta_{g,n} too, not only of Delta_{g,n}/S_n;
  /// from graphs with unlabelled points they are made from their
  /// labellings.  Always so for labelled graphs.
  bool labelled_complex = false;
  /// Collect only the chains relative to this subcomplex.
  Subcomplex relative_to = Subcomplex::kNone;
  /// Number every cell by the Id its graph has in a run (needed to export
  /// the bases); for labelled cells made here this costs a count of the
  /// labellings of every graph.
  bool ids = false;
  /// Threads for the boundaries.
  int threads = 1;
};

/// Passes every call on to another printer and collects the cells of the
/// boundary complex among the graphs that go through (each graph of a
/// type once, as a complete run or stream has them), and the reduced
/// Euler characteristics of every graph.
class HomologyPrinter : public GraphPrinter {
 public:
  /// Wraps printer, which must outlive this object.
  HomologyPrinter(GraphPrinter& printer, const HomologyPrinterSettings& settings);

  void BeginPrint() override { printer_.BeginPrint(); }
  void PrintSomeGraph(const GraphsByCodimension& graphs) override;
  /// Passes the call on and seals the complexes.
  void EndPrint() override;

  /// The chains of Delta_{g,n}/S_n.
  const CellComplex& Quotient() const { return quotient_; }
  /// The chains of Delta_{g,n}, when collected.
  const CellComplex* Labelled() const { return labelled_.get(); }
  /// The reduced Euler characteristics of every graph that went through.
  const BoundaryComplexSums& Sums() const { return sums_; }

 private:
  using IdKey = std::pair<int, int>;  // components, codimension

  void add(const Graph& graph);
  void add_unlabelled(const Graph& graph);
  void add_labelled(const Graph& graph);
  void add_labellings(const Graph& graph, uint64_t first_number);
  GraphId next_id(std::map<IdKey, uint64_t>& numbers, const Graph& graph, uint64_t count = 1);

  GraphPrinter& printer_;
  HomologyPrinterSettings settings_;
  CellComplex quotient_;
  std::unique_ptr<CellComplex> labelled_;
  BoundaryComplexSums sums_;
  // The last graph of a labelled stream and whether its underlying graph
  // was a new one: the labellings of one graph come one after another.
  Graph last_{-1, -1, -1};
  std::map<IdKey, uint64_t> numbers_;           // graphs with unlabelled points
  std::map<IdKey, uint64_t> labelled_numbers_;  // labelled graphs
};

#endif  // STABLE_GRAPHS_HOMOLOGY_HOMOLOGY_PRINTER_H_
