// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_COMPUTER_ORDERED_TASK_POOL_H_
#define STABLE_GRAPHS_COMPUTER_ORDERED_TASK_POOL_H_

#include <stddef.h>

#include <chrono>
#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

/// The tasks first .. count - 1 of a window, claimed in ascending order by
/// threads of the pool and by whoever runs them elsewhere, and released to
/// the calling thread in that same order as they finish: the one ordered
/// pool behind the local runner and the MPI runner.
///
/// Only finished tasks wait for their turn; the pool holds one flag per task
/// of the window, so the caller bounds its memory by the window it gives.
class OrderedTaskPool {
 public:
  /// For the tasks first .. count - 1 (none when first >= count); no thread
  /// runs yet.
  OrderedTaskPool(size_t first, size_t count);
  /// Stops the pool's threads and waits for them.
  ~OrderedTaskPool();
  OrderedTaskPool(const OrderedTaskPool&) = delete;
  OrderedTaskPool& operator=(const OrderedTaskPool&) = delete;

  /// Starts `threads` threads (none for 0, and never more than the window
  /// holds tasks) that claim tasks one at a time and call run on each.  A
  /// run that throws is recorded as by Fail.  Call once.
  void StartThreads(int threads, const std::function<void(size_t)>& run);

  /// Claims up to `most` of the next unclaimed tasks for running elsewhere
  /// and returns them as [first, second); empty once all are claimed or the
  /// pool has stopped.
  std::pair<size_t, size_t> Claim(size_t most);
  /// The tasks nobody has claimed yet.
  size_t Unclaimed() const;
  /// Whether task `index` lies in the window, is claimed and not finished:
  /// the only tasks whose result may still come in.
  bool IsRunning(size_t index) const;
  /// Marks a task claimed by Claim as finished; throws std::logic_error for
  /// one that is not running.
  void Finish(size_t index);
  /// Records a failure; only the first is kept.  No thread of the pool
  /// claims a task after it, and no task is released after it.
  void Fail(std::exception_ptr failure);

  /// Calls done(i) on this thread for the finished tasks from the next one
  /// due on, in ascending order, up to the first not finished.  Rethrows a
  /// recorded failure instead of releasing anything.  Returns whether it
  /// released a task.  An exception of done propagates; that task counts
  /// as released.
  bool ReleaseFinished(const std::function<void(size_t)>& done);
  /// Whether every task of the window has been released.
  bool AllReleased() const;
  /// Waits until the next task due has finished or a failure is recorded.
  void WaitForNext();
  /// Like WaitForNext, for at most `timeout`: results that arrive from
  /// elsewhere wake nobody, so whoever receives them waits this way.
  void WaitForNext(std::chrono::microseconds timeout);

  /// Lets no thread claim another task and waits for the pool's threads.
  /// Idempotent.
  void Stop();
  /// Rethrows the first failure recorded, if any.
  void RethrowFailure() const;

 private:
  void work();
  bool next_finished_or_failed() const;

  const size_t first_;
  const size_t count_;
  mutable std::mutex mutex_;
  std::condition_variable finished_one_;
  std::vector<char> finished_;  // per task of the window, from first_
  size_t next_claim_;
  size_t next_release_;
  bool stop_ = false;
  std::exception_ptr failure_;
  std::function<void(size_t)> run_;
  std::vector<std::thread> threads_;
};

#endif  // STABLE_GRAPHS_COMPUTER_ORDERED_TASK_POOL_H_
