// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "computer/boundary_computer.h"

#include <string.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>

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
    printer->BeginPrint();
    edge_filter = edge_filter_;
    tried.assign(2 * g + n - 1, 0);
    found.assign(2 * g + n - 1, 0);
    duplicated.assign(2 * g + n - 1, 0);
    unconnected.assign(2 * g + n - 1, 0);
    labelled_found.assign(count_labelled ? 2 * g + n - 1 : 0, 0);
    labelled_per_codimension.assign(count_labelled ? 3 * g + n - 2 : 0, 0);

    if (full) fprintf(stderr, "K = %2d... ", 1);
    one_vertex_pass();
    if (full) fprintf(stderr, "done.\n");
    empty_store_to_statistics();

    for (int K = 2; K <= max_K() && (edge_filter == -1 || K - 1 <= edge_filter); ++K) {
      if (full) fprintf(stderr, "K = %2d... ", K);
      run_pass(K);
      if (full) fprintf(stderr, "done.\n");
      print_pass();
    }
    printer->EndPrint();
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
  work_graph.nautyK = -1;
  for (int j = 0; j <= g; ++j) {
    ++tried[1];
    work_graph.genus[0] = static_cast<int8_t>(j);
    work_graph.marked_points[0] = static_cast<int8_t>(n);
    work_graph.loops[0] = work_graph.adjacency[0][0] = work_graph.codimension = static_cast<int8_t>(g - j);
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

// The vertex levels leave one task per decoration; the tasks run in
// parallel and their counters add up in task order.
void BoundaryComputer::run_pass(int K) {
  work_graph.Clear(static_cast<int8_t>(K));
  bt_g(0);
  std::atomic<size_t> tasks_done{0};
  std::atomic<long> found_so_far{0};
  {
    ProgressMeter meter(stderr, show_progress, [&] {
      size_t total = edge_tasks.empty() ? 1 : edge_tasks.size();
      return Progress{static_cast<double>(tasks_done) / static_cast<double>(total), found_so_far.load()};
    });
    RunInParallel(edge_tasks.size(), threads, [&](size_t index) {
      edge_tasks[index]->Run(show_progress ? &found_so_far : nullptr);
      ++tasks_done;
    });
  }
  for (const auto& task : edge_tasks) {
    tried[K] += task->tried;
    unconnected[K] += task->unconnected;
    duplicated[K] += task->duplicated;
    found[K] += task->found;
    if (task->labelled) {
      mpz_class labelled = task->labelled->Total();
      labelled_found[K] += labelled;
      labelled_per_codimension[task->codimension()] += labelled;
    }
  }
}

// Graphs reach the printer by codimension, then in generation order: task
// by task, since every graph of a task has the task's codimension.  A pass
// larger than print_batch goes out in several calls, each in that order,
// so that only print_batch full records exist at a time.
void BoundaryComputer::print_pass() {
  std::map<int, std::vector<const EdgeTask*>> tasks_by_codimension;
  for (const auto& task : edge_tasks)
    if (task->stored.size() > 0) tasks_by_codimension[task->codimension()].push_back(task.get());
  pass_printed = false;
  for (const auto& entry : tasks_by_codimension) {
    for (const EdgeTask* task : entry.second) {
      found_per_codimension[entry.first] += static_cast<int>(task->stored.size());
      for (size_t index = 0; index < task->stored.size(); ++index) {
        Graph& graph = next_batch_record();
        task->stored.Expand(index, graph);
        store_by_codimension[graph.codimension].push_back(&graph);
      }
    }
  }
  if (batch_used > 0 || !pass_printed) flush_batch();
  edge_tasks.clear();
}

void BoundaryComputer::flush_batch() {
  printer->PrintSomeGraph(store_by_codimension);
  store_by_codimension.clear();
  batch_used = 0;
  pass_printed = true;
}

namespace {

/// Writes one counter row: a label, the entries and their sum.
void print_row(FILE* out, const char* label, const std::vector<int>& counts) {
  fputs(label, out);
  int sum = 0;
  for (int count : counts) {
    fprintf(out, "%5d ", count);
    sum += count;
  }
  fprintf(out, "= %7d\n", sum);
}

/// Writes one group of the terse report.
void print_group(FILE* out, const std::vector<int>& counts) {
  fputs(" (", out);
  for (int count : counts) fprintf(out, "%d,", count);
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
    fprintf(out, "%3d: %5d\n", static_cast<int>(c), found_per_codimension[c]);
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
  for (const std::vector<int>* counts :
       {&spare_counts_a, &spare_counts_b, &found, &found_per_codimension, &unconnected, &duplicated})
    print_group(out, *counts);
  if (count_labelled) {
    print_exact_group(out, labelled_found);
    print_exact_group(out, labelled_per_codimension);
  }
  fputs(")\n", out);
}
