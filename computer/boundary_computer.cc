// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "computer/boundary_computer.h"

#include <string.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <stdexcept>

#include "computer/local_task_runner.h"
#include "computer/parallel_runner.h"
#include "computer/progress_meter.h"

BoundaryComputer::BoundaryComputer(int g_, int n_)
    : g(g_), n(n_), work_graph(-1, -1, -1), threads(UsableCpuCount()) {}

BoundaryComputer::~BoundaryComputer() {}

std::vector<Graph*>* BoundaryComputer::GetAllResults() {
  auto* all = new std::vector<Graph*>;
  for (auto& entry : store_by_codimension) all->insert(all->end(), entry.second.begin(), entry.second.end());
  return all;
}

GraphsByCodimension* BoundaryComputer::GetAllResultsByCodimension() { return &store_by_codimension; }

void BoundaryComputer::Compute(GraphPrinter& printer_, ::Statistics mode) { Compute(printer_, mode, -1); }

void BoundaryComputer::Compute(GraphPrinter& printer_) { Compute(printer_, StatisticsFull, -1); }

void BoundaryComputer::Compute(GraphPrinter& printer_, ::Statistics mode, int edge_filter_) {
  printer = &printer_;
  bool full = mode == StatisticsFull;
  // A live indicator only where someone watches: never in a file or pipe,
  // whose contents stay exactly as without it.
  show_progress = full && isatty(fileno(stderr));
  if (2 * g + n - 3 >= 0) {
    found_per_codimension.assign(3 * g + n - 2, 0);
    spare_counts_a.assign(2 * g + n - 1, 0);
    spare_counts_b.assign(2 * g + n - 1, 0);
    edge_filter = edge_filter_;
    work_graph.g = g;
    work_graph.n = n;
    tried.assign(2 * g + n - 1, 0);
    found.assign(2 * g + n - 1, 0);
    duplicated.assign(2 * g + n - 1, 0);
    unconnected.assign(2 * g + n - 1, 0);
    labelled_found.assign(count_labelled ? 2 * g + n - 1 : 0, 0);
    labelled_per_codimension.assign(count_labelled ? 3 * g + n - 2 : 0, 0);

    // A resumed run takes up the recorded pass; the lines of the passes
    // before it are written again, so that standard error reads as that of
    // an uninterrupted run.
    int first_pass = 1;
    resume_task = 0;
    if (resume != nullptr && resume->pass > 0) {
      restore(*resume);
      first_pass = resume->pass;
    } else {
      record(0, 0);
      printer->BeginPrint();
    }
    if (first_pass == 1) {
      if (full) fprintf(stderr, "K = %2d... ", 1);
      one_vertex_pass();
      if (full) fprintf(stderr, "done.\n");
      empty_store_to_statistics();
      first_pass = 2;
    } else if (full) {
      for (int K = 1; K < first_pass; ++K) fprintf(stderr, "K = %2d... done.\n", K);
    }

    int K = first_pass;
    for (; K <= max_K() && (edge_filter == -1 || K - 1 <= edge_filter); ++K) {
      if (K > first_pass || resume_task == 0) {
        pass_printed = false;
        record(K, 0);
      }
      if (full) fprintf(stderr, "K = %2d... ", K);
      run_pass(K);
      if (full) fprintf(stderr, "done.\n");
      print_pass();
      resume_task = 0;
    }
    // A complete run is recorded as such: taken up again, it writes its
    // report and nothing more, so that a run killed after its last graph
    // is not started afresh.
    if (resume == nullptr || !resume->complete) {
      printer->EndPrint();
      record(K, 0, true);
    }
    std::vector<Graph>().swap(batch);
  }
  computed = true;
  if (mode == StatisticsFull) Statistics(stderr);
  if (mode == StatisticsTerse) TerseStatistics(stderr);
}

// The g + 1 one-vertex graphs are pairwise distinct (a vertex of genus j
// carries g - j loops), so they are stored without any test.
void BoundaryComputer::one_vertex_pass() {
  one_vertex_graphs.reserve(g >= 0 ? g + 1 : 0);  // no record moves once pointed to
  work_graph.Clear(1);
  work_graph.g = g;
  work_graph.n = n;
  memset(work_graph.multiplicity_count, 0, sizeof(work_graph.multiplicity_count));
  work_graph.canonical.Invalidate();
  for (int j = 0; j <= g; ++j) {
    work_graph.genus[0] = static_cast<int8_t>(j);
    work_graph.marked_points[0] = static_cast<int8_t>(n);
    work_graph.loops[0] = work_graph.adjacency[0][0] = work_graph.codimension = static_cast<int8_t>(g - j);
    if (!IsOfModuliType(work_graph, moduli_type)) continue;  // outside the search, not tried
    ++tried[1];
    work_graph.valence[0] = static_cast<int8_t>(n + 2 * (g - j));
    if (edge_filter == -1 || edge_filter == g - j) {
      ++found[1];
      add_to_store();
    }
  }
}

// At most g + 1 <= 9 graphs: they reach the printer in one call.
void BoundaryComputer::add_to_store() {
  one_vertex_graphs.push_back(work_graph);
}

void BoundaryComputer::empty_store_to_statistics() {
  for (Graph& graph : one_vertex_graphs) {
    store_by_codimension[graph.codimension].push_back(&graph);
    ++found_per_codimension[graph.codimension];
    if (count_labelled) {
      mpz_class labelled = LabelledGraphCount(graph);
      labelled_found[1] += labelled;
      labelled_per_codimension[graph.codimension] += labelled;
    }
  }
  printer->PrintSomeGraph(store_by_codimension);
  store_by_codimension.clear();
  one_vertex_graphs.clear();
}

// The records of a batch never move while the printer may hold pointers
// to them: the vector is reserved in full before the first one is made.
Graph& BoundaryComputer::next_batch_record() {
  if (batch_used == print_batch) flush_batch();
  if (batch.capacity() < print_batch) batch.reserve(print_batch);
  if (batch_used == batch.size()) batch.emplace_back(-1, -1, -1);
  return batch[batch_used++];
}

// The vertex levels leave one task per decoration, put in printing order
// (by codimension, then generation order); the runner hands them back in
// that order, and each is printed and released as it arrives.
void BoundaryComputer::run_pass(int K) {
  work_graph.Clear(static_cast<int8_t>(K));
  bt_g(0);
  std::stable_sort(edge_tasks.begin(), edge_tasks.end(),
                   [](const std::unique_ptr<EdgeTask>& a, const std::unique_ptr<EdgeTask>& b) {
                     return a->codimension() < b->codimension();
                   });
  std::atomic<size_t> tasks_done{resume_task};
  std::atomic<long> found_so_far{0};
  const size_t total = edge_tasks.size();
  ProgressMeter meter(stderr, show_progress, [&] {
    return Progress{static_cast<double>(tasks_done) / static_cast<double>(total == 0 ? 1 : total),
                    found_so_far.load()};
  });
  LocalTaskRunner local(threads);
  TaskRunner* chosen = runner != nullptr ? runner : &local;
  chosen->RunPass(edge_tasks, resume_task, [&](size_t index) {
    EdgeTask& task = *edge_tasks[index];
    tried[K] += task.tried;
    unconnected[K] += task.unconnected;
    duplicated[K] += task.duplicated;
    found[K] += task.found;
    found_per_codimension[task.codimension()] += static_cast<int64_t>(task.stored.size());
    if (task.labelled) {
      mpz_class labelled = task.labelled->Total();
      labelled_found[K] += labelled;
      labelled_per_codimension[task.codimension()] += labelled;
    }
    for (size_t graph_index = 0; graph_index < task.stored.size(); ++graph_index) {
      Graph& graph = next_batch_record();
      task.stored.Expand(graph_index, graph);
      store_by_codimension[graph.codimension].push_back(&graph);
    }
    found_so_far += static_cast<long>(task.stored.size());
    edge_tasks[index].reset();
    ++tasks_done;
    if (journal != nullptr && index + 1 < edge_tasks.size() && journal->Due()) {
      flush_batch();
      record(K, index + 1);
    }
  });
  edge_tasks.clear();
}

// The graphs not yet handed over reach the printer after the pass's
// progress line; a pass without graphs still makes its one call.
void BoundaryComputer::print_pass() {
  if (batch_used > 0 || !pass_printed) flush_batch();
}

void BoundaryComputer::record(int pass, size_t tasks_done, bool complete) {
  if (journal == nullptr) return;
  RunState state;
  state.complete = complete;
  state.pass = pass;
  state.tasks_done = tasks_done;
  state.pass_printed = pass_printed;
  state.tried = tried;
  state.unconnected = unconnected;
  state.duplicated = duplicated;
  state.found = found;
  state.found_per_codimension = found_per_codimension;
  for (const mpz_class& count : labelled_found) state.labelled_found.push_back(count.get_str());
  for (const mpz_class& count : labelled_per_codimension) state.labelled_per_codimension.push_back(count.get_str());
  if (pass > 0) state.printer_state = printer->State();
  journal->Record(state);
}

void BoundaryComputer::restore(const RunState& state) {
  auto take = [](Counts& counts, const std::vector<int64_t>& saved) {
    if (saved.size() != counts.size()) throw std::invalid_argument("a resumed state of another type");
    counts = saved;
  };
  take(tried, state.tried);
  take(unconnected, state.unconnected);
  take(duplicated, state.duplicated);
  take(found, state.found);
  take(found_per_codimension, state.found_per_codimension);
  auto take_exact = [](std::vector<mpz_class>& counts, const std::vector<std::string>& saved) {
    if (saved.size() != counts.size()) throw std::invalid_argument("a resumed state of another run");
    for (size_t k = 0; k < saved.size(); ++k) counts[k] = mpz_class(saved[k], 10);
  };
  take_exact(labelled_found, state.labelled_found);
  take_exact(labelled_per_codimension, state.labelled_per_codimension);
  if (!printer->RestoreState(state.printer_state)) throw std::invalid_argument("a resumed state of another printer");
  resume_task = state.tasks_done;
  pass_printed = state.pass_printed;
}

void BoundaryComputer::flush_batch() {
  printer->PrintSomeGraph(store_by_codimension);
  store_by_codimension.clear();
  batch_used = 0;
  pass_printed = true;
}

namespace {

/// Writes one counter row: a label, the entries and their sum.
void print_row(FILE* out, const char* label, const Counts& counts) {
  fputs(label, out);
  long long sum = 0;
  for (long long count : counts) {
    fprintf(out, "%5lld ", count);
    sum += count;
  }
  fprintf(out, "= %7lld\n", sum);
}

/// Writes one group of the terse report.
void print_group(FILE* out, const Counts& counts) {
  fputs(" (", out);
  for (long long count : counts) fprintf(out, "%lld,", count);
  fputs("),\n", out);
}

/// Writes a counter row of exact counts, laid out as print_row.
void print_exact_row(FILE* out, const char* label, const std::vector<mpz_class>& counts) {
  fputs(label, out);
  mpz_class sum = 0;
  for (const mpz_class& count : counts) {
    fprintf(out, "%5s ", count.get_str().c_str());
    sum += count;
  }
  fprintf(out, "= %7s\n", sum.get_str().c_str());
}

/// Writes a group of exact counts, laid out as print_group.
void print_exact_group(FILE* out, const std::vector<mpz_class>& counts) {
  fputs(" (", out);
  for (const mpz_class& count : counts) fprintf(out, "%s,", count.get_str().c_str());
  fputs("),\n", out);
}

}  // namespace

void BoundaryComputer::Statistics(FILE* out) {
  if (!computed) {
    fputs("Not yet computed!\n", out);
    return;
  }
  print_row(out, "Tried       ", tried);
  print_row(out, "Unconnected ", unconnected);
  print_row(out, "Duplicated  ", duplicated);
  print_row(out, "Found       ", found);
  for (size_t c = 0; c < found_per_codimension.size(); ++c)
    fprintf(out, "%3d: %5lld\n", static_cast<int>(c), static_cast<long long>(found_per_codimension[c]));
  if (!count_labelled) return;
  print_exact_row(out, "Labelled    ", labelled_found);
  fputs("Labelled by codimension\n", out);
  for (size_t c = 0; c < labelled_per_codimension.size(); ++c)
    fprintf(out, "%3d: %5s\n", static_cast<int>(c), labelled_per_codimension[c].get_str().c_str());
}

void BoundaryComputer::TerseStatistics(FILE* out) {
  if (!computed) {
    fputs("Not yet computed!\n", out);
    return;
  }
  fputs("(\n", out);
  for (const Counts* counts :
       {&spare_counts_a, &spare_counts_b, &found, &found_per_codimension, &unconnected, &duplicated})
    print_group(out, *counts);
  if (count_labelled) {
    print_exact_group(out, labelled_found);
    print_exact_group(out, labelled_per_codimension);
  }
  fputs(")\n", out);
}
