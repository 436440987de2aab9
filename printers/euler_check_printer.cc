// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "printers/euler_check_printer.h"

#include "computer/parallel_runner.h"

EulerCheckPrinter::EulerCheckPrinter(GraphPrinter& printer, int threads)
    : EulerCheckPrinter(printer, ResumablePartOf(printer), threads) {}

EulerCheckPrinter::EulerCheckPrinter(GraphPrinter& printer, ResumablePrinter& resumable, int threads)
    : printer_(printer), resumable_(resumable), parts_(static_cast<size_t>(threads > 1 ? threads : 1)) {}

void EulerCheckPrinter::PrintSomeGraph(const GraphsByCodimension& graphs) {
  std::vector<const Graph*> all;
  for (const auto& entry : graphs) all.insert(all.end(), entry.second.begin(), entry.second.end());
  // Small batches on this thread alone: starting threads would cost more.
  size_t parts = all.size() < 256 ? 1 : parts_.size();
  RunInParallel(parts, static_cast<int>(parts), [&](size_t part) {
    // Each part a run of consecutive graphs: the labelled graphs of one
    // graph follow each other and share their term's key.
    size_t end = all.size() * (part + 1) / parts;
    for (size_t i = all.size() * part / parts; i < end; ++i) {
      if (count_labelled_graphs)
        parts_[part].AddLabelledGraphs(*all[i]);
      else
        parts_[part].Add(*all[i]);
    }
  });
  printer_.PrintSomeGraph(graphs);
}

std::string EulerCheckPrinter::State() const { return resumable_.State() + std::string(1, '\0') + Sums().State(); }

bool EulerCheckPrinter::RestoreState(const std::string& state) {
  size_t split = state.find('\0');
  if (split == std::string::npos) return false;
  EulerSums sums;
  if (!sums.RestoreState(state.substr(split + 1))) return false;
  if (!resumable_.RestoreState(state.substr(0, split))) return false;
  for (EulerSums& part : parts_) part = EulerSums();
  parts_[0] = sums;
  return true;
}

// The graphs received are those printed; when each stands for its labelled
// graphs, the keys count the labelled ones.
std::string EulerCheckPrinter::RestoredStateProblem(const PrintedSoFar& printed) const {
  mpz_class graphs = 0;
  for (const mpz_class& count : printed.per_components) graphs += count;
  const PrintedSoFar& p = printed;
  std::string problem =
      count_labelled_graphs
          ? Sums().CountsProblem(p.g, p.n, graphs, p.labelled_per_components, p.labelled_per_codimension)
          : Sums().CountsProblem(p.g, p.n, graphs, p.per_components, p.per_codimension);
  return problem.empty() ? resumable_.RestoredStateProblem(printed) : problem;
}

EulerSums EulerCheckPrinter::Sums() const {
  EulerSums total;
  for (const EulerSums& part : parts_) total.Merge(part);
  return total;
}
