// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "computer/parallel_runner.h"

#include <sched.h>

#include <atomic>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

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
  std::mutex mutex;
  std::condition_variable finished_one;
  std::vector<char> finished(count - first, 0);
  size_t next = first;
  bool stop = false;
  std::exception_ptr failure;
  auto work = [&] {
    std::unique_lock<std::mutex> lock(mutex);
    while (!stop && next < count) {
      size_t index = next++;
      lock.unlock();
      bool ok = true;
      try {
        run(index);
      } catch (...) {
        ok = false;
        lock.lock();
        if (!failure) failure = std::current_exception();
        stop = true;
        lock.unlock();
      }
      lock.lock();
      if (ok) finished[index - first] = 1;
      finished_one.notify_all();
    }
    finished_one.notify_all();
  };
  size_t workers = threads > 1 ? static_cast<size_t>(threads) : 1;
  if (workers > count - first) workers = count - first;
  std::vector<std::thread> pool;
  for (size_t t = 0; t < workers; ++t) pool.emplace_back(work);
  try {
    for (size_t index = first; index < count; ++index) {
      {
        std::unique_lock<std::mutex> lock(mutex);
        finished_one.wait(lock, [&] { return stop || finished[index - first] != 0; });
        if (stop) break;
      }
      done(index);
    }
  } catch (...) {
    std::lock_guard<std::mutex> lock(mutex);
    if (!failure) failure = std::current_exception();
    stop = true;
  }
  {
    std::lock_guard<std::mutex> lock(mutex);
    stop = true;
  }
  for (std::thread& thread : pool) thread.join();
  if (failure) std::rethrow_exception(failure);
}
