// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_DISTRIBUTED_MPI_TASK_RUNNER_H_
#define STABLE_GRAPHS_DISTRIBUTED_MPI_TASK_RUNNER_H_

#include <stdint.h>

#include <condition_variable>
#include <exception>
#include <mutex>
#include <vector>

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
  bool poll(std::vector<std::unique_ptr<EdgeTask>>* tasks);
  void serve_requests(std::vector<std::unique_ptr<EdgeTask>>& tasks);

  int ranks_;
  int threads_;
  std::vector<int32_t> open_request_;  // tasks wanted, per rank; 0: none open
  bool stopped_ = false;
  // The pass in progress, shared with the local threads under mutex_:
  // the next task to hand out, the end, whether each from base_ is done.
  size_t next_ = 0;
  size_t count_ = 0;
  std::vector<char> finished_;
  size_t base_ = 0;
  bool stop_ = false;
  std::exception_ptr failure_;
  std::mutex mutex_;
  std::condition_variable wake_;
};

#endif  // STABLE_GRAPHS_DISTRIBUTED_MPI_TASK_RUNNER_H_
