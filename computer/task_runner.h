// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_COMPUTER_TASK_RUNNER_H_
#define STABLE_GRAPHS_COMPUTER_TASK_RUNNER_H_

#include <stddef.h>

#include <functional>
#include <memory>
#include <vector>

#include "computer/edge_task.h"

/// Runs the edge tasks of a pass, wherever they run, and hands them back to
/// the enumerator in task order.
class TaskRunner {
 public:
  virtual ~TaskRunner() {}
  /// Runs tasks[first] .. tasks.back() and calls done(i) on the calling
  /// thread for each i in ascending order, once tasks[i] holds its result.
  /// The first failure is rethrown after the runner has stopped.
  virtual void RunPass(std::vector<std::unique_ptr<EdgeTask>>& tasks, size_t first,
                       const std::function<void(size_t)>& done) = 0;
};


#endif  // STABLE_GRAPHS_COMPUTER_TASK_RUNNER_H_
