// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "computer/local_task_runner.h"

#include "computer/parallel_runner.h"

void LocalTaskRunner::RunPass(std::vector<std::unique_ptr<EdgeTask>>& tasks, size_t first,
                              const std::function<void(size_t)>& done) {
  RunInOrder(first, tasks.size(), threads_, [&tasks](size_t index) { tasks[index]->Run(); }, done);
}
