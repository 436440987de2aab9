// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "computer/ordered_task_pool.h"

#include <algorithm>
#include <stdexcept>

OrderedTaskPool::OrderedTaskPool(size_t first, size_t count)
    : first_(first),
      count_(std::max(first, count)),
      finished_(count_ - first_, 0),
      next_claim_(first_),
      next_release_(first_) {}

OrderedTaskPool::~OrderedTaskPool() { Stop(); }

void OrderedTaskPool::StartThreads(int threads, const std::function<void(size_t)>& run) {
  size_t wanted = threads > 0 ? static_cast<size_t>(threads) : 0;
  wanted = std::min(wanted, count_ - first_);
  if (!threads_.empty()) throw std::logic_error("the pool's threads started twice");
  // A copy, so that a temporary function may be given.
  run_ = run;
  for (size_t t = 0; t < wanted; ++t) threads_.emplace_back([this] { work(); });
}

void OrderedTaskPool::work() {
  std::unique_lock<std::mutex> lock(mutex_);
  while (!stop_ && !failure_ && next_claim_ < count_) {
    size_t index = next_claim_++;
    lock.unlock();
    try {
      run_(index);
      lock.lock();
      finished_[index - first_] = 1;
    } catch (...) {
      lock.lock();
      if (!failure_) failure_ = std::current_exception();
    }
    finished_one_.notify_all();
  }
  finished_one_.notify_all();
}

std::pair<size_t, size_t> OrderedTaskPool::Claim(size_t most) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (stop_ || failure_) return {next_claim_, next_claim_};
  size_t from = next_claim_;
  next_claim_ += std::min(most, count_ - next_claim_);
  return {from, next_claim_};
}

size_t OrderedTaskPool::Unclaimed() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return count_ - next_claim_;
}

bool OrderedTaskPool::IsRunning(size_t index) const {
  std::lock_guard<std::mutex> lock(mutex_);
  return index >= first_ && index < next_claim_ && finished_[index - first_] == 0;
}

void OrderedTaskPool::Finish(size_t index) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (index < first_ || index >= next_claim_ || finished_[index - first_] != 0)
      throw std::logic_error("a task finished that was not running");
    finished_[index - first_] = 1;
  }
  finished_one_.notify_all();
}

void OrderedTaskPool::Fail(std::exception_ptr failure) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!failure_) failure_ = failure;
  }
  finished_one_.notify_all();
}

bool OrderedTaskPool::ReleaseFinished(const std::function<void(size_t)>& done) {
  bool released = false;
  for (;;) {
    size_t index;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (failure_) std::rethrow_exception(failure_);
      if (next_release_ == count_ || finished_[next_release_ - first_] == 0) return released;
      index = next_release_++;
    }
    released = true;
    done(index);
  }
}

bool OrderedTaskPool::AllReleased() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return next_release_ == count_;
}

bool OrderedTaskPool::next_finished_or_failed() const {
  return failure_ || next_release_ == count_ || finished_[next_release_ - first_] != 0;
}

void OrderedTaskPool::WaitForNext() {
  std::unique_lock<std::mutex> lock(mutex_);
  finished_one_.wait(lock, [this] { return next_finished_or_failed(); });
}

void OrderedTaskPool::WaitForNext(std::chrono::microseconds timeout) {
  std::unique_lock<std::mutex> lock(mutex_);
  finished_one_.wait_for(lock, timeout, [this] { return next_finished_or_failed(); });
}

void OrderedTaskPool::Stop() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stop_ = true;
  }
  for (std::thread& thread : threads_)
    if (thread.joinable()) thread.join();
  threads_.clear();
}

void OrderedTaskPool::RethrowFailure() const {
  std::exception_ptr failure;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    failure = failure_;
  }
  if (failure) std::rethrow_exception(failure);
}
