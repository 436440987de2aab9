// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
//
// stable-graphs-project: estimates a count-only run of type (g, n) pass by
// pass without running it.  Every pass's tasks are generated as in a real
// run; a random sample of them is run and timed, and the pass's CPU time,
// graphs and memory for its found graphs are extrapolated from the sample.
//
//   stable-graphs-project G N [SHARE [SEED [LAST_PASS]]]
//
// SHARE (default 0.01) of each pass's tasks is run, at least 20 of them;
// passes after LAST_PASS are not sampled.  One line per pass on standard
// output: K, tasks, tasks run, seconds of the sample, estimated CPU
// seconds, estimated graphs, estimated MiB of compact graphs, largest
// sampled task's graphs.
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

#include <algorithm>
#include <memory>
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

/// Runs a sample of each pass's tasks on this thread and reports the
/// extrapolation; the tasks not run are handed back empty.
class SamplingRunner : public TaskRunner {
 public:
  SamplingRunner(double share, unsigned seed, int last_pass) : share_(share), random_(seed), last_pass_(last_pass) {}

  void RunPass(std::vector<std::unique_ptr<EdgeTask>>& tasks, size_t first,
               const std::function<void(size_t)>& done) override {
    size_t count = tasks.size();
    int K = count > 0 ? tasks[0]->start().K : 0;
    std::vector<size_t> order(count);
    for (size_t i = 0; i < count; ++i) order[i] = i;
    std::shuffle(order.begin(), order.end(), random_);
    size_t sample = K > last_pass_ ? 0 : std::min(count, std::max<size_t>(20, static_cast<size_t>(share_ * count)));
    double seconds = 0, graphs = 0, bytes = 0;
    size_t largest = 0;
    for (size_t k = 0; k < sample; ++k) {
      EdgeTask& task = *tasks[order[k]];
      double start = cpu_seconds();
      task.Run();
      seconds += cpu_seconds() - start;
      graphs += static_cast<double>(task.stored.size());
      bytes += static_cast<double>(task.stored.bytes().size());
      largest = std::max(largest, task.stored.size());
      task.stored = CompactGraphs(task.start());  // the sample's graphs are not kept
      task.found = 0;
    }
    double scale = sample > 0 ? static_cast<double>(count) / static_cast<double>(sample) : 0;
    printf("%2d %10zu %8zu %10.2f %14.1f %16.0f %12.1f %12zu\n", K, count, sample, seconds, seconds * scale,
           graphs * scale, bytes * scale / (1 << 20), largest);
    fflush(stdout);
    for (size_t i = first; i < count; ++i) done(i);
  }

 private:
  double share_;
  std::mt19937 random_;
  int last_pass_;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    fputs("usage: stable-graphs-project G N [SHARE [SEED [LAST_PASS]]]\n", stderr);
    return 1;
  }
  int g = atoi(argv[1]), n = atoi(argv[2]);
  double share = argc > 3 ? atof(argv[3]) : 0.01;
  unsigned seed = argc > 4 ? static_cast<unsigned>(atoi(argv[4])) : 1;
  int last_pass = argc > 5 ? atoi(argv[5]) : 1000;
  printf(" K      tasks   sample  sample s   est. CPU s     est. graphs  est. MiB  largest task\n");
  SamplingRunner runner(share, seed, last_pass);
  BoundaryComputer computer(g, n);
  computer.runner = &runner;
  NullGraphPrinter printer;
  computer.Compute(printer, StatisticsNone, -1);
  return 0;
}
