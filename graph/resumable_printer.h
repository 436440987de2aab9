// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_GRAPH_RESUMABLE_PRINTER_H_
#define STABLE_GRAPHS_GRAPH_RESUMABLE_PRINTER_H_

#include <gmpxx.h>

#include <optional>
#include <string>
#include <vector>

/// What a run has handed a printer up to a state it recorded: the type,
/// and the graphs per component count K (index K) and per codimension;
/// when the run counts labelled graphs, also the labelled graphs over them
/// (else those two are empty).  A restored printer state is checked
/// against it.
struct PrintedSoFar {
  int g = 0;
  int n = 0;
  std::vector<mpz_class> per_components, per_codimension;
  std::vector<mpz_class> labelled_per_components, labelled_per_codimension;
};

/// Empty when a printer that numbers the graphs of each codimension in
/// turn can be in section `codimension` at number `number` after `printed`
/// (limited to codimension `only`, when given), or still at its start
/// (`initial` and 0) before any graph; else what is wrong, naming `what`.
std::string SectionProblem(const PrintedSoFar& printed, std::optional<int> only, int codimension, int number,
                           int initial, const char* what);

/// The part of a printer that a run stopped between two PrintSomeGraph
/// calls needs to be resumed by another process: what the printer carries
/// from one graph to the next.  A printer that only prints does not
/// implement it; a chain of printers hands on the part of the printer it
/// wraps, so that whoever records or resumes a run reaches the state of
/// the whole chain through the chain's head.
class ResumablePrinter {
 public:
  virtual ~ResumablePrinter() {}
  /// What the printer carries from one graph to the next, as text.
  virtual std::string State() const = 0;
  /// Takes up a State() of a printer of the same kind and arguments in place
  /// of BeginPrint; false, changing nothing, for a text it never returns.
  virtual bool RestoreState(const std::string& state) = 0;
  /// After RestoreState: empty when the state taken up is one this printer
  /// can have after receiving `printed`, else what is wrong with it.
  virtual std::string RestoredStateProblem(const PrintedSoFar& printed) const = 0;

  /// The state of a printer that carries nothing: State() is empty, and
  /// only the empty text is taken up.  Shared, and never changed.
  static ResumablePrinter& Stateless();
};

class GraphPrinter;

/// The resumable part of `printer`: the printer itself when it carries a
/// state, else ResumablePrinter::Stateless().  A wrapper given only the
/// printer it wraps takes its state from here, so that wrapping a LaTeX,
/// Graphviz or JSON printer never drops the state that printer carries.
ResumablePrinter& ResumablePartOf(GraphPrinter& printer);

#endif  // STABLE_GRAPHS_GRAPH_RESUMABLE_PRINTER_H_
