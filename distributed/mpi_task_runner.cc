// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
//
// Only the thread that calls RunPass talks MPI (MPI_THREAD_FUNNELED); the
// local threads share the pass's next index and finished flags with it
// under a mutex.  Waiting for messages polls, with short sleeps between
// empty polls, so that an idle rank 0 leaves its core to the threads.
#include "distributed/mpi_task_runner.h"

#include <mpi.h>
#include <string.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>

#include "distributed/mpi_protocol.h"
#include "distributed/task_codec.h"

namespace {

// An idle poll waits kIdleWait, doubled after each empty poll up to
// kLongestIdleWait: tasks take milliseconds to minutes, so a result read a
// little late costs nothing, while polling every 100 us on a busy machine
// takes CPU from the threads that run tasks.
const auto kIdleWait = std::chrono::microseconds(100);
const auto kLongestIdleWait = std::chrono::microseconds(800);

template <typename T>
void append(std::vector<uint8_t>& out, T value) {
  const uint8_t* bytes = reinterpret_cast<const uint8_t*>(&value);
  out.insert(out.end(), bytes, bytes + sizeof(T));
}

}  // namespace

MpiTaskRunner::MpiTaskRunner(int ranks, int threads)
    : ranks_(ranks), threads_(threads < 1 ? 1 : threads), open_request_(ranks > 0 ? ranks : 1, 0) {}

void MpiTaskRunner::RunPass(std::vector<std::unique_ptr<EdgeTask>>& tasks, size_t first,
                            const std::function<void(size_t)>& done) {
  if (first >= tasks.size()) return;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    next_ = base_ = first;
    count_ = tasks.size();
    finished_.assign(count_ - first, 0);
    stop_ = false;
    failure_ = nullptr;
  }
  auto work = [&] {
    std::unique_lock<std::mutex> lock(mutex_);
    while (!stop_ && next_ < count_) {
      size_t index = next_++;
      lock.unlock();
      try {
        tasks[index]->Run();
        lock.lock();
        finished_[index - base_] = 1;
      } catch (...) {
        lock.lock();
        if (!failure_) failure_ = std::current_exception();
        stop_ = true;
      }
      wake_.notify_all();
    }
  };
  std::vector<std::thread> pool;
  size_t local = std::min<size_t>(static_cast<size_t>(threads_), tasks.size() - first);
  for (size_t t = 0; t < local; ++t) pool.emplace_back(work);
  std::exception_ptr failure;
  try {
    size_t deliver = first;
    auto idle_wait = kIdleWait;
    while (deliver < count_) {
      serve_requests(tasks);
      bool progressed = poll(&tasks);
      for (;;) {
        {
          std::lock_guard<std::mutex> lock(mutex_);
          if (failure_) std::rethrow_exception(failure_);
          if (deliver == count_ || finished_[deliver - base_] == 0) break;
        }
        done(deliver++);
        progressed = true;
      }
      if (progressed) {
        idle_wait = kIdleWait;
      } else {
        // Alone, only the local threads can finish tasks, and they wake us.
        std::unique_lock<std::mutex> lock(mutex_);
        if (ranks_ <= 1) {
          wake_.wait(lock, [&] { return failure_ || finished_[deliver - base_] != 0; });
        } else {
          wake_.wait_for(lock, idle_wait);
          idle_wait = std::min(2 * idle_wait, kLongestIdleWait);
        }
      }
    }
  } catch (...) {
    failure = std::current_exception();
  }
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stop_ = true;
  }
  for (std::thread& thread : pool) thread.join();
  if (failure) std::rethrow_exception(failure);
}

// Each open request gets up to what it asked for, fewer as the pass nears
// its end, so that the last tasks spread over every rank.
void MpiTaskRunner::serve_requests(std::vector<std::unique_ptr<EdgeTask>>& tasks) {
  for (int rank = 1; rank < ranks_; ++rank) {
    if (open_request_[rank] <= 0) continue;
    size_t from, to;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      size_t remaining = count_ - next_;
      if (remaining == 0) return;
      size_t share = std::max<size_t>(1, remaining / (2 * static_cast<size_t>(ranks_)));
      size_t chunk = std::min<size_t>(static_cast<size_t>(open_request_[rank]), share);
      from = next_;
      to = next_ += chunk;
    }
    std::vector<uint8_t> message;
    append<uint32_t>(message, static_cast<uint32_t>(to - from));
    for (size_t index = from; index < to; ++index) {
      const EdgeTask& task = *tasks[index];
      std::vector<uint8_t> start = EncodeTaskStart(task.start(), task.moduli_type(), task.search_kind(), task.from(), task.bounds());
      append<uint64_t>(message, index);
      append<uint8_t>(message, tasks[index]->labelled ? 1 : 0);
      append<uint32_t>(message, static_cast<uint32_t>(start.size()));
      message.insert(message.end(), start.begin(), start.end());
    }
    MPI_Send(message.data(), static_cast<int>(message.size()), MPI_BYTE, rank, kTagTasks, MPI_COMM_WORLD);
    open_request_[rank] = 0;
  }
}

bool MpiTaskRunner::poll(std::vector<std::unique_ptr<EdgeTask>>* tasks) {
  bool any = false;
  for (;;) {
    int flag = 0;
    MPI_Status status;
    MPI_Iprobe(MPI_ANY_SOURCE, MPI_ANY_TAG, MPI_COMM_WORLD, &flag, &status);
    if (!flag) return any;
    any = true;
    int size = 0;
    MPI_Get_count(&status, MPI_BYTE, &size);
    std::vector<uint8_t> buffer(static_cast<size_t>(size));
    MPI_Recv(buffer.data(), size, MPI_BYTE, status.MPI_SOURCE, status.MPI_TAG, MPI_COMM_WORLD, MPI_STATUS_IGNORE);
    if (status.MPI_TAG == kTagRequest && buffer.size() == sizeof(int32_t)) {
      memcpy(&open_request_[status.MPI_SOURCE], buffer.data(), sizeof(int32_t));
    } else if (status.MPI_TAG == kTagResult && tasks != nullptr && buffer.size() >= sizeof(uint64_t)) {
      uint64_t index;
      memcpy(&index, buffer.data(), sizeof(index));
      bool expected;
      {
        std::lock_guard<std::mutex> lock(mutex_);
        expected = index >= base_ && index < next_ && finished_[index - base_] == 0;
      }
      if (!expected) throw std::runtime_error("a worker sent the result of a task it was not given");
      DecodeTaskResult(buffer.data() + sizeof(index), buffer.size() - sizeof(index), *(*tasks)[index]);
      std::lock_guard<std::mutex> lock(mutex_);
      finished_[index - base_] = 1;
    } else if (status.MPI_TAG == kTagFailure && tasks != nullptr) {
      throw std::runtime_error(std::string(buffer.begin(), buffer.end()));
    }
  }
}

void MpiTaskRunner::StopWorkers() {
  if (stopped_) return;
  stopped_ = true;
  for (;;) {
    bool all_open = true;
    for (int rank = 1; rank < ranks_; ++rank) all_open = all_open && open_request_[rank] > 0;
    if (all_open) break;
    if (!poll(nullptr)) std::this_thread::sleep_for(kIdleWait);
  }
  for (int rank = 1; rank < ranks_; ++rank) MPI_Send(nullptr, 0, MPI_BYTE, rank, kTagStop, MPI_COMM_WORLD);
}
