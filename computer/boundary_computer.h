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
#include "computer/partial_graph.h"
#include "computer/run_journal.h"
#include "computer/task_runner.h"
#include "graph/graph.h"
#include "labelled/labelled_count.h"
#include "moduli/moduli_type.h"

/// Counters per number of components or per codimension; 64 bits, since
/// genus 9 tries more than 2^31 candidates.
using Counts = std::vector<int64_t>;

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
  /// Prepares an enumerator for type (g, n); nothing is computed yet.
  /// Compute throws std::invalid_argument, saying why, for a type whose
  /// graphs can have more than kMaxSearchComponents components (a type
  /// beyond the capacity, which the tools refuse).
  BoundaryComputer(int g, int n);
  ~BoundaryComputer() override;

  std::vector<Graph*>* GetAllResults() override;
  GraphsByCodimension* GetAllResultsByCodimension() override;
  void Compute(GraphPrinter& printer, ::Statistics mode, int edge_filter) override;
  void Compute(GraphPrinter& printer, ::Statistics mode) override;
  void Compute(GraphPrinter& printer) override;
  void Statistics(FILE* out) override;
  /// Empty when `resume` is unset, or a state that a run of this type,
  /// edge filter and labelled counting, printing through `printer`, can
  /// have recorded: every counter in range and consistent with the others,
  /// the pass and its tasks done within the run, the printer's state one
  /// it can have after the graphs counted.  Else what is wrong, as the end
  /// of a sentence.  Takes the state up into `printer` (as Compute does
  /// again): call it with the printer Compute will get, before writing.
  std::string ResumeProblem(GraphPrinter& printer, int edge_filter);
  void TerseStatistics(FILE* out) override;
  /// The most candidates a resumed state may have tried in all, summed
  /// over its passes: far beyond any run (genus 9 tries more than 2^31),
  /// and far enough below 2^63 that the sums over the counters, and the
  /// counts of the run that takes the state up, stay within 64 bits.
  static constexpr int64_t kMostRestoredCount = int64_t{1} << 62;

  GraphPrinter* printer = nullptr;
  int g;
  int n;
  bool computed = false;
  /// The graphs being handed to the printer (those of one pass, or a
  /// consecutive part of a large pass).
  GraphsByCodimension store_by_codimension;
  Counts tried;
  Counts found;
  Counts duplicated;
  Counts unconnected;
  PartialGraph work_graph;
  int edge_filter = -1;
  Counts found_per_codimension;
  Counts spare_counts_a;
  Counts spare_counts_b;

  /// Largest number of graphs handed to the printer in one PrintSomeGraph
  /// call; a pass with more graphs is handed over in consecutive calls.
  size_t print_batch = 4096;
  /// Threads that run the edge tasks; the CPUs this process may use.
  int threads;
  /// Where the edge tasks run: nullptr for this process's `threads`.
  TaskRunner* runner = nullptr;
  /// Where resumable states are recorded (nullptr: nowhere).
  RunJournal* journal = nullptr;
  /// A recorded state to take up instead of starting afresh (nullptr, or
  /// pass 0: start afresh); it must come from a run of the same type, edge
  /// filter and printer.
  const RunState* resume = nullptr;
  /// How the edge tasks recognise repeated graphs; every kind finds the
  /// same graphs in the same order.
  SearchKind search = SearchKind::kStored;
  /// Rows of edge multiplicities after which a task of kOrderly or kPruned
  /// with more rows is split into the tasks that take up its search there
  /// (0: tasks stay whole); the same for every run a checkpoint resumes.
  int split_rows = 1;
  /// Tasks run in one call of the runner, at most: a pass's split tasks
  /// exist a window at a time.
  size_t task_window = 4096;
  /// Whether to count the labelled graphs (points labelled 1 .. n) over the
  /// graphs found, and report them; set before Compute.
  bool count_labelled = false;
  /// Labelled graphs found per K and per codimension, when counted.
  std::vector<mpz_class> labelled_found;
  std::vector<mpz_class> labelled_per_codimension;
  /// The part of the moduli space whose strata are enumerated; the search
  /// itself is restricted to them.  Set before Compute.
  ModuliType moduli_type = ModuliType::kStable;
  /// Bounds every graph of the search keeps besides its moduli type (the
  /// homology asks for graphs without parallel edges, say).  Set before
  /// Compute.
  GraphBounds bounds;

 private:
  int max_K() const { return 2 * g + n - 2; }
  void one_vertex_pass();
  void one_vertex_counts(int filter, int64_t* tried_count, int64_t* found_count) const;
  void add_to_store();
  void empty_store_to_statistics();
  void run_pass(int K);
  void print_pass();
  void flush_batch();
  void record(int pass, size_t tasks_done, bool complete = false);
  void restore(const RunState& state);
  std::string counters_problem(const RunState& state, int edge_filter) const;
  size_t pass_task_count(int K);
  void make_pass_tasks(int K);
  void take_task_result(int K, EdgeTask& task);
  void split_into(std::unique_ptr<EdgeTask> task, std::vector<std::unique_ptr<EdgeTask>>& out) const;
  size_t split_count(EdgeTask& task) const;
  Graph& next_batch_record();

  // The vertex levels of the generator: genus, marked points and loops of
  // vertex v.  The edge level runs in the EdgeTask that bt_l leaves.
  void bt_g(int v);
  void bt_m(int v);
  void bt_l(int v);
  void add_edge_task();
  void bound_genus_by_moduli_type(int v, int& lo, int& hi) const;
  void bound_loops_by_moduli_type(int v, int& lo, int& hi) const;

  std::vector<std::unique_ptr<EdgeTask>> edge_tasks;
  std::vector<Graph> one_vertex_graphs;
  std::vector<Graph> batch;   // records the printer reads, reused
  size_t batch_used = 0;
  size_t resume_task = 0;     // the first task of the pass to run
  bool pass_printed = false;  // the current pass made a PrintSomeGraph call
  bool show_progress = false;  // a live indicator on the progress line
};

#endif  // STABLE_GRAPHS_COMPUTER_BOUNDARY_COMPUTER_H_
