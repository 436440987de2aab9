// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "computer/boundary_computer.h"

#include <algorithm>
#include <atomic>
#include <optional>
#include <stdexcept>

#include "computer/local_task_runner.h"
#include "computer/parallel_runner.h"
#include "computer/progress_meter.h"
#include "graph/type_capacity.h"

namespace {

int thread_count(const SearchSettings& settings) {
  return settings.threads ? *settings.threads : UsableCpuCount();
}

/// The counters of a run of type (g, n): none for a type without stable
/// graphs.
SearchCounters zero_counters(int g, int n, bool labelled) {
  return 2 * g + n - 3 >= 0 ? SearchCounters(g, n, labelled) : SearchCounters(labelled);
}

}  // namespace

BoundaryComputer::BoundaryComputer(int g_, int n_, const SearchSettings& settings, const RunContext& context)
    : g(g_), n(n_), settings_(settings), context_(context), threads_(thread_count(settings)),
      counters_(zero_counters(g_, n_, settings.count_labelled)), levels_(g_, n_, settings) {}

BoundaryComputer::~BoundaryComputer() {}

std::vector<const Graph*>* BoundaryComputer::GetAllResults() {
  auto* all = new std::vector<const Graph*>;
  for (auto& entry : store_by_codimension_) all->insert(all->end(), entry.second.begin(), entry.second.end());
  return all;
}

GraphsByCodimension* BoundaryComputer::GetAllResultsByCodimension() { return &store_by_codimension_; }

void BoundaryComputer::Compute(GraphPrinter& printer) { Compute(printer, StatisticsFull); }

void BoundaryComputer::Compute(GraphPrinter& printer, ::Statistics mode) {
  Compute(printer, ResumablePartOf(printer), mode);
}

void BoundaryComputer::Compute(GraphPrinter& printer, ResumablePrinter& resumable, ::Statistics mode) {
  // The search keeps a bit per vertex (PartialGraph::distinct_mask), enough
  // for every type within the capacity but not for every type.  The passes
  // stop at K = edges + 1 for one codimension, as no connected graph of
  // that many edges has more components.
  const std::optional<int>& edges = settings_.codimension;
  // Compared before adding one: -C accepts every int, INT_MAX included.
  int largest_K = edges && *edges < max_K() ? *edges + 1 : max_K();
  if (largest_K > kMaxSearchComponents) {
    std::optional<long long> wide_edges;
    if (edges) wide_edges = *edges;
    throw std::invalid_argument(CapacityProblem(g, n, wide_edges));
  }
  printer_ = &printer;
  batcher_ = std::make_unique<PassBatcher>(printer, settings_.print_batch);
  resumable_ = &resumable;
  FILE* lines = mode == StatisticsFull ? context_.report : nullptr;
  // A live indicator only where someone watches: never in a file or pipe,
  // whose contents stay exactly as without it.
  show_progress_ = lines != nullptr && context_.progress != nullptr && context_.interactive;
  if (2 * g + n - 3 >= 0) {
    counters_ = zero_counters(g, n, settings_.count_labelled);
    const RunState* resume = settings_.resume;
    // A resumed run takes up the recorded pass; the lines of the passes
    // before it are written again, so that the report reads as that of an
    // uninterrupted run.
    int first_pass = 1;
    resume_task_ = 0;
    if (resume != nullptr && resume->pass > 0) {
      restore(*resume);
      first_pass = resume->pass;
    } else {
      record(0, 0);
      printer_->BeginPrint();
    }
    if (first_pass == 1) {
      if (lines) fprintf(lines, "K = %2d... ", 1);
      one_vertex_pass();
      if (lines) fprintf(lines, "done.\n");
      empty_store_to_statistics();
      first_pass = 2;
    } else if (lines) {
      for (int K = 1; K < first_pass; ++K) fprintf(lines, "K = %2d... done.\n", K);
    }

    int K = first_pass;
    for (; K <= max_K() && (!settings_.codimension || K - 1 <= *settings_.codimension); ++K) {
      if (K > first_pass || resume_task_ == 0) {
        batcher_->StartPass();
        record(K, 0);
      }
      if (lines) fprintf(lines, "K = %2d... ", K);
      run_pass(K);
      if (lines) fprintf(lines, "done.\n");
      // The graphs not yet handed over reach the printer after the pass's
      // progress line; a pass without graphs still makes its one call.
      batcher_->EndPass();
      resume_task_ = 0;
    }
    // A complete run is recorded as such: taken up again, it writes its
    // report and nothing more, so that a run killed after its last graph
    // is not started afresh.
    if (resume == nullptr || !resume->complete) {
      printer_->EndPrint();
      record(K, 0, true);
    }
    batcher_.reset();
  }
  computed_ = true;
  if (context_.report == nullptr) return;
  if (mode == StatisticsFull) Statistics(context_.report);
  if (mode == StatisticsTerse) TerseStatistics(context_.report);
}

// The g + 1 one-vertex graphs are pairwise distinct (a vertex of genus j
// carries g - j loops), so they are stored without any test.
void BoundaryComputer::one_vertex_pass() {
  one_vertex_graphs_.reserve(g >= 0 ? g + 1 : 0);  // no record moves once pointed to
  for (const Graph& one : one_vertex_candidates()) {
    ++counters_.tried[1];
    if (InCodimension(one.codimension, settings_.codimension)) {
      ++counters_.found[1];
      // At most g + 1 <= 15 graphs: they reach the printer in one call.
      one_vertex_graphs_.push_back(one);
    }
  }
}

// The one-vertex graphs the pass tries: a vertex of genus j with g - j
// loops, for each j whose graph is of the moduli type and within the
// bounds.  Outside the search, the others are not even tried.
std::vector<Graph> BoundaryComputer::one_vertex_candidates() const {
  std::vector<Graph> candidates;
  Graph one(g, n, 1);
  one.marked_points[0] = static_cast<int8_t>(n);
  for (int j = 0; j <= g; ++j) {
    one.genus[0] = static_cast<int8_t>(j);
    one.SetLoops(0, g - j);
    one.codimension = static_cast<int8_t>(g - j);
    if (IsOfModuliType(one, settings_.moduli_type) && IsWithinBounds(one, settings_.bounds)) candidates.push_back(one);
  }
  return candidates;
}

void BoundaryComputer::empty_store_to_statistics() {
  for (Graph& graph : one_vertex_graphs_) {
    store_by_codimension_[graph.codimension].push_back(&graph);
    counters_.AddOneVertexGraph(graph);
  }
  printer_->PrintSomeGraph(store_by_codimension_);
  store_by_codimension_.clear();
  one_vertex_graphs_.clear();
}

// A split task's parts take its place in the same order; its own search
// effort goes with the first of them.  A task without parts has nothing to
// find: it is left out, and only its few calls of the search go uncounted.
void BoundaryComputer::split_into(std::unique_ptr<EdgeTask> task, std::vector<std::unique_ptr<EdgeTask>>& out) const {
  if (!task->CanSplit(settings_.split_rows)) {
    out.push_back(std::move(task));
    return;
  }
  size_t first = out.size();
  task->Split(settings_.split_rows,
              [&](const PartialGraph& at, SearchPoint from) { out.push_back(MakeEdgeTask(at, settings_, from)); });
  if (out.size() > first) out[first]->AddSearchEffort(*task);
}

size_t BoundaryComputer::split_count(EdgeTask& task) const {
  if (!task.CanSplit(settings_.split_rows)) return 1;
  // Counting must leave the task as it was: its effort is counted once,
  // when it is split for running.
  int64_t nodes = task.nodes, pruned = task.pruned, branches = task.relabelling_branches;
  size_t parts = 0;
  task.Split(settings_.split_rows, [&](const PartialGraph&, SearchPoint) { ++parts; });
  task.nodes = nodes;
  task.pruned = pruned;
  task.relabelling_branches = branches;
  return parts;
}

// The pass's tasks, split, run a window at a time; the runner hands each
// window's tasks back in order, and each is printed and released as it
// arrives.  Tasks are numbered across the pass, for the checkpoint.
void BoundaryComputer::run_pass(int K) {
  std::vector<std::unique_ptr<EdgeTask>> whole = levels_.TasksOfPass(K);
  std::vector<std::unique_ptr<EdgeTask>>& edge_tasks = window_;
  size_t total = 0;
  for (std::unique_ptr<EdgeTask>& task : whole) total += split_count(*task);
  std::atomic<size_t> tasks_done{resume_task_};
  std::atomic<long> found_so_far{0};
  ProgressMeter meter(context_.progress, show_progress_, [&] {
    return Progress{static_cast<double>(tasks_done) / static_cast<double>(total == 0 ? 1 : total),
                    found_so_far.load()};
  });
  LocalTaskRunner local(threads_);
  TaskRunner* chosen = settings_.runner != nullptr ? settings_.runner : &local;
  size_t window_start = 0;  // the pass's number of edge_tasks[0]
  for (size_t next_whole = 0; next_whole < whole.size();) {
    edge_tasks.clear();
    while (next_whole < whole.size() && edge_tasks.size() < settings_.task_window)
      split_into(std::move(whole[next_whole++]), edge_tasks);
    size_t first = resume_task_ > window_start ? std::min(resume_task_ - window_start, edge_tasks.size()) : 0;
    chosen->RunPass(edge_tasks, first, [&](size_t index) {
      take_task_result(K, *edge_tasks[index]);
      found_so_far += static_cast<long>(edge_tasks[index]->stored.size());
      edge_tasks[index].reset();
      ++tasks_done;
      size_t number = window_start + index;
      if (settings_.journal != nullptr && number + 1 < total && settings_.journal->Due()) {
        batcher_->HandOver();
        record(K, number + 1);
      }
    });
    window_start += edge_tasks.size();
  }
  edge_tasks.clear();
}

void BoundaryComputer::take_task_result(int K, EdgeTask& task) {
  counters_.AddTask(K, task);
  for (size_t graph_index = 0; graph_index < task.stored.size(); ++graph_index) {
    task.stored.Expand(graph_index, batcher_->Next());
  }
}

void BoundaryComputer::record(int pass, size_t tasks_done, bool complete) {
  RunJournal* journal = settings_.journal;
  if (journal == nullptr) return;
  RunState state;
  state.complete = complete;
  state.pass = pass;
  state.tasks_done = tasks_done;
  state.pass_printed = batcher_ != nullptr && batcher_->PassHandedOver();
  counters_.RecordIn(state);
  if (pass > 0) state.printer_state = resumable_->State();
  journal->Record(state);
  if (!complete && journal->StopRequested()) throw RunInterrupted();
}

namespace {

std::string row_name(const char* name, size_t index) { return std::string(name) + "[" + std::to_string(index) + "]"; }

mpz_class factorial(int n) {
  mpz_class result;
  mpz_fac_ui(result.get_mpz_t(), static_cast<unsigned long>(n));
  return result;
}

/// Empty when every labelled count lies between the graphs found and n!
/// times as many (each graph has 1 to n! labellings), else what is wrong.
std::string labelled_problem(const std::vector<std::string>& labelled, const Counts& found, int n,
                             const char* name, mpz_class& sum) {
  mpz_class most = factorial(n);
  for (size_t k = 0; k < labelled.size(); ++k) {
    mpz_class count(labelled[k], 10);
    sum += count;
    if (count < found[k] || count > most * found[k])
      return row_name(name, k) + " = " + labelled[k] + " is not between the " + std::to_string(found[k]) +
             " graphs found and n! times as many";
  }
  return "";
}

}  // namespace

// What the one-vertex pass tries and finds.
void BoundaryComputer::one_vertex_counts(int64_t* tried_count, int64_t* found_count) const {
  for (const Graph& one : one_vertex_candidates()) {
    ++*tried_count;
    if (InCodimension(one.codimension, settings_.codimension)) ++*found_count;
  }
}

// What a run writes follows from the search: the one-vertex pass is fixed,
// every later candidate is unconnected, duplicated or found, passes after
// the current one have counted nothing, and the pass and the printing
// flag follow from where the enumeration stopped.  A value that breaks
// any of this was not written by a run of this type.
std::string BoundaryComputer::counters_problem(const RunState& s) const {
  const std::optional<int> filter = settings_.codimension;
  const bool count_labelled = settings_.count_labelled;
  size_t rows = static_cast<size_t>(2 * g + n - 1), codimensions = static_cast<size_t>(3 * g + n - 2);
  size_t labelled_rows = count_labelled ? rows : 0, labelled_codimensions = count_labelled ? codimensions : 0;
  if (s.tried.size() != rows || s.unconnected.size() != rows || s.duplicated.size() != rows ||
      s.found.size() != rows || s.found_per_codimension.size() != codimensions)
    return "its counters are not those of type (" + std::to_string(g) + ", " + std::to_string(n) + ")";
  if (s.labelled_found.size() != labelled_rows || s.labelled_per_codimension.size() != labelled_codimensions)
    return count_labelled ? "it has no labelled counts of this type" : "it has labelled counts, which -L makes";
  int max_K = 2 * g + n - 2;
  int end = max_K + 1;
  if (filter) end = std::min(end, *filter + 2);
  end = std::max(end, 2);
  if (s.pass == 0) {
    bool empty = !s.complete && s.tasks_done == 0 && !s.pass_printed && s.printer_state.empty();
    for (size_t k = 0; k < rows; ++k)
      empty = empty && s.tried[k] == 0 && s.unconnected[k] == 0 && s.duplicated[k] == 0 && s.found[k] == 0;
    for (int64_t count : s.found_per_codimension) empty = empty && count == 0;
    for (const auto* labelled : {&s.labelled_found, &s.labelled_per_codimension})
      for (const std::string& count : *labelled) empty = empty && count == "0";
    return empty ? "" : "it counts graphs before the first pass";
  }
  if (s.complete ? s.pass != end || s.tasks_done != 0 : s.pass < 2 || s.pass >= end)
    return "pass " + std::to_string(s.pass) + (s.complete ? " ends" : " lies within") + " no run of this type";
  bool printed = s.tasks_done > 0 || (s.complete && end > 2);
  if (s.pass_printed != printed) return "its flag of a pass printed does not match the tasks done";
  // Every other counter is at most its pass's tried, so bounding the sum
  // of tried bounds them all and every sum over them.
  int64_t tried_sum = 0, found_sum = 0;
  for (size_t k = 0; k < rows; ++k) {
    int64_t tried = s.tried[k], unconnected = s.unconnected[k], duplicated = s.duplicated[k], found = s.found[k];
    int K = static_cast<int>(k);
    bool counted = K >= 1 && (K < s.pass || (K == s.pass && s.tasks_done > 0));
    if (!counted && (tried != 0 || unconnected != 0 || duplicated != 0 || found != 0))
      return "pass " + std::to_string(K) + " has counts, but it has not run";
    if (K == 1) {
      int64_t one_vertex_tried = 0, one_vertex_found = 0;
      one_vertex_counts(&one_vertex_tried, &one_vertex_found);
      if (tried != one_vertex_tried || unconnected != 0 || duplicated != 0 || found != one_vertex_found)
        return "its counts of the one-vertex graphs are not those of this type";
    }
    if (K >= 2 &&
        (unconnected > tried || duplicated > tried - unconnected || found != tried - unconnected - duplicated))
      return "tried[" + std::to_string(K) + "] is not unconnected + duplicated + found";
    // Every component count has stable graphs; a part of them may not.
    if (!filter && settings_.moduli_type == ModuliType::kStable && settings_.bounds.none() && counted &&
        K < s.pass && found == 0)
      return "pass " + std::to_string(K) + " found no graph, yet every component count has some";
    if (tried > kMostRestoredCount - tried_sum)
      return "its candidates tried add up to more than " + std::to_string(kMostRestoredCount) + ", beyond any run";
    tried_sum += tried;
    found_sum += found;
  }
  int64_t codimension_sum = 0;
  for (size_t c = 0; c < codimensions; ++c) {
    int64_t count = s.found_per_codimension[c];
    if (filter && static_cast<int>(c) != *filter && count != 0)
      return "it found graphs of codimension " + std::to_string(c) + ", which the edge filter leaves out";
    if (count > INT64_MAX - codimension_sum) return "its counts of graphs found overflow";
    codimension_sum += count;
  }
  if ((!filter || *filter == 0) && s.found_per_codimension[0] != 1)
    return "it has not exactly the one graph of codimension 0";
  if (codimension_sum != found_sum) return "its graphs found per codimension do not add up to those found";
  if (!count_labelled) return "";
  mpz_class by_components = 0, by_codimension = 0;
  std::string problem = labelled_problem(s.labelled_found, s.found, n, "labelled", by_components);
  if (problem.empty())
    problem = labelled_problem(s.labelled_per_codimension, s.found_per_codimension, n, "labelled-codimensions",
                               by_codimension);
  if (problem.empty() && by_components != by_codimension)
    problem = "its labelled graphs per codimension do not add up to those found";
  return problem;
}

size_t BoundaryComputer::pass_task_count(int K) {
  size_t count = 0;
  for (std::unique_ptr<EdgeTask>& task : levels_.TasksOfPass(K)) count += split_count(*task);
  return count;
}

std::string BoundaryComputer::ResumeProblem(ResumablePrinter& resumable) {
  if (settings_.resume == nullptr) return "";
  const RunState& s = *settings_.resume;
  if (2 * g + n - 3 < 0)
    return "type (" + std::to_string(g) + ", " + std::to_string(n) + ") has no stable graphs to resume";
  std::string problem = counters_problem(s);
  if (!problem.empty() || s.pass == 0) return problem;
  if (s.tasks_done > 0) {
    size_t tasks = pass_task_count(s.pass);
    if (s.tasks_done >= tasks)
      return "pass " + std::to_string(s.pass) + " has " + std::to_string(tasks) + " tasks, not more than the " +
             std::to_string(s.tasks_done) + " recorded as done";
  }
  if (!resumable.RestoreState(s.printer_state)) return "its printer state is not one this run's printer writes";
  PrintedSoFar printed;
  printed.g = g;
  printed.n = n;
  for (int64_t count : s.found) printed.per_components.push_back(mpz_class(std::to_string(count), 10));
  for (int64_t count : s.found_per_codimension) printed.per_codimension.push_back(mpz_class(std::to_string(count), 10));
  for (const std::string& count : s.labelled_found) printed.labelled_per_components.push_back(mpz_class(count, 10));
  for (const std::string& count : s.labelled_per_codimension)
    printed.labelled_per_codimension.push_back(mpz_class(count, 10));
  return resumable.RestoredStateProblem(printed);
}

void BoundaryComputer::restore(const RunState& state) {
  // The check takes the printer's state up as well: no second decoding.
  std::string problem = ResumeProblem(*resumable_);
  if (!problem.empty()) throw std::invalid_argument("a resumed state that no run of this type writes: " + problem);
  counters_.RestoreFrom(state);
  resume_task_ = state.tasks_done;
  batcher_->StartPass(state.pass_printed);
}

void BoundaryComputer::Statistics(FILE* out) {
  if (!computed_) {
    fputs("Not yet computed!\n", out);
    return;
  }
  counters_.WriteFull(out);
}

void BoundaryComputer::TerseStatistics(FILE* out) {
  if (!computed_) {
    fputs("Not yet computed!\n", out);
    return;
  }
  counters_.WriteTerse(out);
}
