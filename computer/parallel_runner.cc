// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "computer/parallel_runner.h"

#include <sched.h>

#include <atomic>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

#include "computer/ordered_task_pool.h"

int UsableCpuCount() {
  cpu_set_t set;
  CPU_ZERO(&set);
  if (sched_getaffinity(0, sizeof(set), &set) != 0) return 1;
  int count = CPU_COUNT(&set);
  return count > 0 ? count : 1;
}

void RunInParallel(size_t count, int threads, const std::function<void(size_t)>& run) {
  std::atomic<size_t> next{0};
  std::atomic<bool> failed{false};
  std::exception_ptr failure;
  std::mutex failure_mutex;
  auto work = [&] {
    for (size_t index; !failed && (index = next++) < count;) {
      try {
        run(index);
      } catch (...) {
        std::lock_guard<std::mutex> lock(failure_mutex);
        if (!failure) failure = std::current_exception();
        failed = true;
      }
    }
  };
  size_t helpers = threads > 1 ? static_cast<size_t>(threads - 1) : 0;
  if (helpers > count) helpers = count > 0 ? count - 1 : 0;
  std::vector<std::thread> pool;
  for (size_t t = 0; t < helpers; ++t) pool.emplace_back(work);
  work();
  for (std::thread& thread : pool) thread.join();
  if (failure) std::rethrow_exception(failure);
}

void RunInOrder(size_t first, size_t count, int threads, const std::function<void(size_t)>& run,
                const std::function<void(size_t)>& done) {
  if (first >= count) return;
  OrderedTaskPool pool(first, count);
  pool.StartThreads(threads > 1 ? threads : 1, run);
  try {
    while (!pool.AllReleased()) {
      pool.WaitForNext();
      pool.ReleaseFinished(done);
    }
  } catch (...) {
    // A failed done stops the threads as a failed run does; whichever
    // failed first is the one rethrown.
    pool.Fail(std::current_exception());
  }
  pool.Stop();
  pool.RethrowFailure();
}
