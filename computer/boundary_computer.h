// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_COMPUTER_BOUNDARY_COMPUTER_H_
#define STABLE_GRAPHS_COMPUTER_BOUNDARY_COMPUTER_H_

#include <stdint.h>
#include <stdio.h>

#include <memory>
#include <string>
#include <vector>

#include "computer/computer.h"
#include "computer/edge_task.h"
#include "computer/run_journal.h"
#include "computer/search_counters.h"
#include "computer/search_settings.h"
#include "computer/task_runner.h"
#include "computer/vertex_levels.h"
#include "graph/graph.h"
#include "graph/pass_batcher.h"
#include "graph/resumable_printer.h"
#include "graph/run_context.h"
#include "labelled/labelled_count.h"
#include "moduli/moduli_type.h"

/// Enumerates the stable graphs of type (g, n) by backtracking, one number
/// of components K at a time, rejecting unconnected and isomorphic
/// candidates, and hands each pass's graphs to a printer.
///
/// Within a pass the vertex levels run on the calling thread and leave one
/// EdgeTask per decoration; the tasks run on every CPU the process may use
/// and are merged in generation order, so output and counters do not
/// depend on the number of threads.
class BoundaryComputer : public Computer {
 public:
  /// Prepares an enumerator for type (g, n) that searches as `settings`
  /// say and writes its lines, report and progress to the sinks of
  /// `context`; nothing is computed yet.  Compute throws
  /// std::invalid_argument, saying why, for a type whose graphs can have
  /// more than kMaxSearchComponents components (a type beyond the
  /// capacity, which the tools refuse).
  BoundaryComputer(int g, int n, const SearchSettings& settings = SearchSettings(),
                   const RunContext& context = RunContext());
  ~BoundaryComputer() override;

  std::vector<const Graph*>* GetAllResults() override;
  GraphsByCodimension* GetAllResultsByCodimension() override;
  /// Runs the enumeration; `mode` says which lines and report go to the
  /// context's report stream.  The printer's recorded state is its own
  /// (ResumablePartOf), empty for one that carries nothing.
  void Compute(GraphPrinter& printer, ::Statistics mode) override;
  void Compute(GraphPrinter& printer) override;
  /// Runs the enumeration through `printer`, whose state is `resumable`
  /// (the chain's resumable part): recorded with each RunState, and taken
  /// up from the settings' state to resume.
  void Compute(GraphPrinter& printer, ResumablePrinter& resumable, ::Statistics mode);
  void Statistics(FILE* out) override;
  void TerseStatistics(FILE* out) override;
  /// Empty when the settings hold no state to resume, or one that a run
  /// of this type and these settings, printing through `printer`, can have
  /// recorded: every counter in range and consistent with the others, the
  /// pass and its tasks done within the run, the printer's state one it
  /// can have after the graphs counted.  Else what is wrong, as the end of
  /// a sentence.  Takes the printer's state up into `resumable`: call it
  /// with the resumable part Compute will get, before writing.  This is
  /// the one place a restored state is decoded and bounded.
  std::string ResumeProblem(ResumablePrinter& resumable);
  /// The most candidates a resumed state may have tried in all, summed
  /// over its passes: far beyond any run (genus 9 tries more than 2^31),
  /// and far enough below 2^63 that the sums over the counters, and the
  /// counts of the run that takes the state up, stay within 64 bits.
  static constexpr int64_t kMostRestoredCount = int64_t{1} << 62;

  /// The settings the enumerator was made with.
  const SearchSettings& settings() const { return settings_; }
  /// The threads that run the edge tasks here.
  int threads() const { return threads_; }
  /// What the search has counted so far (all of it after Compute).
  const SearchCounters& counters() const { return counters_; }

  const int g;
  const int n;

 private:
  int max_K() const { return 2 * g + n - 2; }
  void one_vertex_pass();
  void one_vertex_counts(int64_t* tried_count, int64_t* found_count) const;
  std::vector<Graph> one_vertex_candidates() const;
  void empty_store_to_statistics();
  void run_pass(int K);
  void record(int pass, size_t tasks_done, bool complete = false);
  void restore(const RunState& state);
  std::string counters_problem(const RunState& state) const;
  size_t pass_task_count(int K);
  void take_task_result(int K, EdgeTask& task);
  void split_into(std::unique_ptr<EdgeTask> task, std::vector<std::unique_ptr<EdgeTask>>& out) const;
  size_t split_count(EdgeTask& task) const;

  const SearchSettings settings_;
  const RunContext context_;
  const int threads_;
  GraphPrinter* printer_ = nullptr;
  ResumablePrinter* resumable_ = nullptr;  // printer_'s state
  bool computed_ = false;
  SearchCounters counters_;
  VertexLevels levels_;
  /// The one-vertex graphs being handed to the printer.
  GraphsByCodimension store_by_codimension_;
  /// The graphs of the other passes on their way to the printer, while
  /// Compute runs.
  std::unique_ptr<PassBatcher> batcher_;
  std::vector<Graph> one_vertex_graphs_;
  /// The window of tasks being run, kept between passes: freed at the end
  /// of each, it let the allocator return the heap above it to the system,
  /// for the next pass to fault in again (four times the page faults and
  /// a fifth more time on (7, 0)).
  std::vector<std::unique_ptr<EdgeTask>> window_;
  size_t resume_task_ = 0;      // the first task of the pass to run
  bool show_progress_ = false;  // a live indicator on the progress line
};

#endif  // STABLE_GRAPHS_COMPUTER_BOUNDARY_COMPUTER_H_
