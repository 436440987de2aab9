// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_COMPUTER_LOCAL_TASK_RUNNER_H_
#define STABLE_GRAPHS_COMPUTER_LOCAL_TASK_RUNNER_H_

#include "computer/task_runner.h"

/// Runs a pass's tasks on threads of this process, handing them back in
/// order while later ones still run, so that a finished prefix can be
/// printed and released early.
class LocalTaskRunner : public TaskRunner {
 public:
  /// Runs on `threads` threads (at least one).
  explicit LocalTaskRunner(int threads) : threads_(threads) {}
  void RunPass(std::vector<std::unique_ptr<EdgeTask>>& tasks, size_t first,
               const std::function<void(size_t)>& done) override;

 private:
  int threads_;
};

#endif  // STABLE_GRAPHS_COMPUTER_LOCAL_TASK_RUNNER_H_
