// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_POSET_POSET_PRINTER_H_
#define STABLE_GRAPHS_POSET_POSET_PRINTER_H_

#include <stdio.h>

#include <optional>
#include <string>
#include <vector>

#include "graph/graph.h"
#include "poset/stratum_poset.h"
#include "printers/graph_id.h"
#include "graph/graph_printer.h"
#include "graph/resumable_printer.h"

/// What the printers of the poset of strata share: each graph of the run
/// is named by its Id, the one every run of its type gives it (as the
/// Graphviz and JSON outputs name it), and its contractions are found
/// among the graphs before it; the subclass writes them.  Every
/// contraction landing on a graph of the run is the completeness check
/// that Problem() reports on.
///
/// Without an edge filter every graph is written.  With edge filter c the
/// graphs of codimension c are written, and their contractions name graphs
/// of codimension c - 1, each by its Id, numbered among the graphs of that
/// codimension as in every run.  Those targets come either among the graphs
/// received (a stream read whole) or beforehand through RecordTarget (a
/// run of the tool, which enumerates one codimension at a time); other
/// graphs are passed over.
class PosetPrinter : public GraphPrinter, public ResumablePrinter {
 public:
  /// Writes to file; edge_filter not given for all graphs.  The keys
  /// of a batch are found on up to `threads` threads (0: every CPU the
  /// process may use); the output does not depend on their number.
  PosetPrinter(FILE* file, std::optional<int> edge_filter, int threads = 0);

  void BeginPrint() override;
  void PrintSomeGraph(const GraphsByCodimension& graphs) override;
  void EndPrint() override;
  /// The printer keeps every graph it may still need in memory, which no
  /// state text can carry: a run cannot be resumed with it.
  std::string State() const override { return "unresumable poset printer"; }
  bool RestoreState(const std::string&) override { return false; }
  /// No state is ever taken up, so none is wrong.
  std::string RestoredStateProblem(const PrintedSoFar&) const override { return ""; }

  /// Numbers and remembers a graph of codimension edge_filter - 1, which
  /// is not written: for a run that enumerates the targets first.
  void RecordTarget(const Graph& graph);

  /// Empty when every graph written had all its contractions among the
  /// graphs of the run; otherwise one line naming the first graph that did
  /// not, and how many did not.
  std::string Problem() const;

  /// The codimension whose graphs are written, not given for all.
  std::optional<int> edge_filter() const { return edge_filter_; }

 protected:
  /// Writes whatever precedes the first graph.
  virtual void write_begin() = 0;
  /// Writes one graph and its contractions.
  virtual void write_graph(const GraphId& id, const std::vector<Contraction>& contractions) = 0;
  /// Writes whatever follows the last graph.
  virtual void write_end() = 0;
  /// Learns of a graph named but not written, a target of the run with
  /// an edge filter; nothing by default.
  virtual void note_target(const GraphId&) {}

  FILE* file_;

 private:
  /// What a graph of a batch needs before the graphs before it are known:
  /// its own key, when it is remembered, and its contractions' keys, when
  /// it is printed.
  struct Prepared {
    const Graph* graph = nullptr;
    bool printed = false;
    std::string key;
    std::vector<ContractionKey> contractions;
  };

  void prepare(Prepared& item, Graph& scratch) const;
  void print_graph(Prepared& item);
  void record_target(const Graph& graph, std::string key);

  std::optional<int> edge_filter_;
  int threads_;
  std::vector<Prepared> batch_;
  StratumPoset poset_;
  GraphIdNumbering printed_;
  GraphIdNumbering targets_;
  long incomplete_ = 0;  // graphs with a contraction missing
  std::string first_incomplete_;
};

#endif  // STABLE_GRAPHS_POSET_POSET_PRINTER_H_
