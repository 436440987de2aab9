// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_DISTRIBUTED_MPI_TASK_RUNNER_H_
#define STABLE_GRAPHS_DISTRIBUTED_MPI_TASK_RUNNER_H_

#include <stdint.h>

#include <vector>

#include "computer/ordered_task_pool.h"
#include "computer/task_runner.h"

/// Rank 0's side of a distributed run: hands a pass's tasks out on demand
/// to the worker ranks and to threads of its own, and hands the results to
/// the enumerator in task order as they complete, holding only those that
/// arrive before their turn.
class MpiTaskRunner : public TaskRunner {
 public:
  /// For a communicator of `ranks` processes (this one rank 0), running
  /// `threads` threads here besides the one that talks to the workers.
  MpiTaskRunner(int ranks, int threads);
  void RunPass(std::vector<std::unique_ptr<EdgeTask>>& tasks, size_t first,
               const std::function<void(size_t)>& done) override;
  /// Collects every worker's open request and sends it kTagStop; results
  /// still arriving from an interrupted pass are dropped.  Idempotent.
  void StopWorkers();

 private:
  bool poll(std::vector<std::unique_ptr<EdgeTask>>* tasks, OrderedTaskPool* pool);
  void serve_requests(std::vector<std::unique_ptr<EdgeTask>>& tasks, OrderedTaskPool& pool);

  int ranks_;
  int threads_;
  std::vector<int32_t> open_request_;  // tasks wanted, per rank; 0: none open
  bool stopped_ = false;
};

#endif  // STABLE_GRAPHS_DISTRIBUTED_MPI_TASK_RUNNER_H_
