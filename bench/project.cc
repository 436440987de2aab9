// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
//
// stable-graphs-project: estimates a count-only run of type (g, n) pass by
// pass without running it.  Every pass's tasks are generated as in a real
// run; a sample of them is run and timed, and the pass's CPU time, graphs
// and memory for its found graphs are extrapolated from the sample.
//
//   stable-graphs-project G N [SHARE [SEED [LAST_PASS [FIRST_PASS [SEARCH [SPLIT_ROWS]]]]]]
//
// SHARE (default 0.01) of each pass's tasks is run, at least 20 of them,
// spread evenly over the kinds of task; SHARE 1 runs the pass whole and its
// graphs are then exact.  Only passes FIRST_PASS … LAST_PASS are
// sampled.  One line per pass on standard output: K, tasks, tasks run,
// seconds of the sample, estimated CPU seconds, estimated graphs,
// estimated MiB of compact graphs, the largest sampled task's graphs and
// the longest sampled task's seconds (no run of the pass, on however many
// cores, is shorter).  SEARCH is stored (the default), orderly or pruned;
// SPLIT_ROWS (default 1) the rows after which the orderly searches split
// their tasks, 0 for whole tasks.
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <random>
#include <vector>

#include "computer/boundary_computer.h"
#include "printers/null_graph_printer.h"

namespace {

double cpu_seconds() {
  timespec now;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + 1e-9 * static_cast<double>(now.tv_nsec);
}

constexpr size_t kLeastPerPass = 20;

/// The kind of a task, for sampling: its edges between distinct vertices and
/// its genus-0 vertices.
int stratum(const EdgeTask& task) {
  const Graph& start = task.start();
  int loops = 0, genus_zero = 0;
  for (int v = 0; v < start.K; ++v) {
    loops += start.loops[v];
    genus_zero += start.genus[v] == 0;
  }
  return (task.codimension() - loops) * 64 + 0 * genus_zero;
}

/// Runs a sample of each pass's tasks on this thread and reports the
/// extrapolation; the tasks not run are handed back empty.
class SamplingRunner : public TaskRunner {
 public:
  SamplingRunner(double share, unsigned seed, int first_pass, int last_pass)
      : share_(share), random_(seed), first_pass_(first_pass), last_pass_(last_pass) {}

  void RunPass(std::vector<std::unique_ptr<EdgeTask>>& tasks, size_t first,
               const std::function<void(size_t)>& done) override {
    size_t count = tasks.size();
    int K = count > 0 ? tasks[0]->start().K : 0;
    // Stratified systematic sampling.  The cost of a task grows steeply with
    // the edges it still has to place between distinct vertices, and a
    // pass's tasks differ in that by many edges: a plain random sample of a
    // pass is ruled by whether it happens to hit one of the few expensive
    // tasks.  So the tasks are ordered by those edges and their genus-0
    // vertices, and every (count / sample)-th task from a random start is
    // run: each kind of task is sampled in proportion to its number.
    std::vector<size_t> sorted(count);
    for (size_t i = 0; i < count; ++i) sorted[i] = i;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [&](size_t a, size_t b) { return stratum(*tasks[a]) < stratum(*tasks[b]); });
    std::vector<std::pair<size_t, double>> order;  // task, the tasks it stands for
    if (K >= first_pass_ && K <= last_pass_ && count > 0) {
      size_t wanted = std::min(count, std::max(kLeastPerPass, static_cast<size_t>(share_ * static_cast<double>(count))));
      double step = static_cast<double>(count) / static_cast<double>(wanted);
      double offset = std::uniform_real_distribution<double>(0, 1)(random_);
      for (size_t k = 0; k < wanted; ++k)
        order.emplace_back(sorted[std::min(count - 1, static_cast<size_t>((static_cast<double>(k) + offset) * step))],
                           step);
    }
    size_t sample = order.size();
    double seconds = 0, graphs = 0, bytes = 0;
    size_t largest = 0;
    double longest = 0;
    double estimated_seconds = 0;
    for (auto [index, weight] : order) {
      EdgeTask& task = *tasks[index];
      double start = cpu_seconds();
      task.Run();
      double spent = cpu_seconds() - start;
      seconds += spent;
      estimated_seconds += weight * spent;
      graphs += weight * static_cast<double>(task.stored.size());
      bytes += weight * static_cast<double>(task.stored.bytes().size());
      largest = std::max(largest, task.stored.size());
      longest = std::max(longest, spent);
      task.stored = CompactGraphs(task.start());  // the sample's graphs are not kept
      task.found = 0;
    }
    // A pass of split tasks comes in windows, which add up to its line.
    PassLine& line = lines_[K];
    line.tasks += count;
    line.sample += sample;
    line.seconds += seconds;
    line.estimated_seconds += estimated_seconds;
    line.graphs += graphs;
    line.bytes += bytes;
    line.largest = std::max(line.largest, largest);
    line.longest = std::max(line.longest, longest);
    for (size_t i = first; i < count; ++i) done(i);
  }

  /// One line per pass run.
  void Print() const {
    for (const auto& [K, l] : lines_)
      printf("%2d %10zu %8zu %10.2f %14.1f %16.0f %12.1f %12zu %10.2f\n", K, l.tasks, l.sample, l.seconds,
             l.estimated_seconds, l.graphs, l.bytes / (1 << 20), l.largest, l.longest);
  }

 private:
  struct PassLine {
    size_t tasks = 0, sample = 0, largest = 0;
    double seconds = 0, estimated_seconds = 0, graphs = 0, bytes = 0, longest = 0;
  };
  std::map<int, PassLine> lines_;
  double share_;
  std::mt19937 random_;
  int first_pass_;
  int last_pass_;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    fputs("usage: stable-graphs-project G N [SHARE [SEED [LAST_PASS [FIRST_PASS [SEARCH [SPLIT_ROWS]]]]]]\n", stderr);
    return 1;
  }
  int g = atoi(argv[1]), n = atoi(argv[2]);
  double share = argc > 3 ? atof(argv[3]) : 0.01;
  unsigned seed = argc > 4 ? static_cast<unsigned>(atoi(argv[4])) : 1;
  int last_pass = argc > 5 ? atoi(argv[5]) : 1000;
  int first_pass = argc > 6 ? atoi(argv[6]) : 0;
  printf(" K      tasks   sample  sample s   est. CPU s     est. graphs  est. MiB  largest task  longest s\n");
  SamplingRunner runner(share, seed, first_pass, last_pass);
  SearchSettings settings;
  settings.runner = &runner;
  std::string search = argc > 7 ? argv[7] : "stored";
  settings.search = search == "pruned" ? SearchKind::kPruned
                    : search == "orderly" ? SearchKind::kOrderly
                                          : SearchKind::kStored;
  settings.split_rows = argc > 8 ? atoi(argv[8]) : 1;
  BoundaryComputer computer(g, n, settings);
  NullGraphPrinter printer;
  computer.Compute(printer, StatisticsNone);
  runner.Print();
  return 0;
}
