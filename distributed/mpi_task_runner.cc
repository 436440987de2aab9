// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
//
// Only the thread that calls RunPass talks MPI (MPI_THREAD_FUNNELED); the
// tasks its local threads run and those the workers return meet in one
// OrderedTaskPool, the same that runs a pass without MPI.  Waiting for
// messages polls, with short sleeps between empty polls, so that an idle
// rank 0 leaves its core to the threads.
#include "distributed/mpi_task_runner.h"

#include <mpi.h>
#include <string.h>

#include <algorithm>
#include <chrono>
#include <exception>
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
  OrderedTaskPool pool(first, tasks.size());
  pool.StartThreads(threads_, [&tasks](size_t index) { tasks[index]->Run(); });
  std::exception_ptr failure;
  try {
    auto idle_wait = kIdleWait;
    while (!pool.AllReleased()) {
      serve_requests(tasks, pool);
      bool progressed = poll(&tasks, &pool);
      if (pool.ReleaseFinished(done)) progressed = true;
      if (progressed) {
        idle_wait = kIdleWait;
      } else if (ranks_ <= 1) {
        // Alone, only the local threads can finish tasks, and they wake us.
        pool.WaitForNext();
      } else {
        pool.WaitForNext(idle_wait);
        idle_wait = std::min(2 * idle_wait, kLongestIdleWait);
      }
    }
  } catch (...) {
    failure = std::current_exception();
  }
  pool.Stop();
  if (failure) std::rethrow_exception(failure);
}

// Each open request gets up to what it asked for, fewer as the pass nears
// its end, so that the last tasks spread over every rank.
void MpiTaskRunner::serve_requests(std::vector<std::unique_ptr<EdgeTask>>& tasks, OrderedTaskPool& pool) {
  for (int rank = 1; rank < ranks_; ++rank) {
    if (open_request_[rank] <= 0) continue;
    size_t remaining = pool.Unclaimed();
    if (remaining == 0) return;
    size_t share = std::max<size_t>(1, remaining / (2 * static_cast<size_t>(ranks_)));
    // The local threads may claim the last tasks in between: then the
    // request stays open for the next pass.
    auto [from, to] = pool.Claim(std::min<size_t>(static_cast<size_t>(open_request_[rank]), share));
    if (from == to) return;
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

bool MpiTaskRunner::poll(std::vector<std::unique_ptr<EdgeTask>>* tasks, OrderedTaskPool* pool) {
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
    } else if (status.MPI_TAG == kTagResult && pool != nullptr && buffer.size() >= sizeof(uint64_t)) {
      uint64_t index;
      memcpy(&index, buffer.data(), sizeof(index));
      if (!pool->IsRunning(index)) throw std::runtime_error("a worker sent the result of a task it was not given");
      DecodeTaskResult(buffer.data() + sizeof(index), buffer.size() - sizeof(index), *(*tasks)[index]);
      pool->Finish(index);
    } else if (status.MPI_TAG == kTagFailure && pool != nullptr) {
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
    if (!poll(nullptr, nullptr)) std::this_thread::sleep_for(kIdleWait);
  }
  for (int rank = 1; rank < ranks_; ++rank) MPI_Send(nullptr, 0, MPI_BYTE, rank, kTagStop, MPI_COMM_WORLD);
}
