// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
//
// The thread that called MPI_Init talks to rank 0 (MPI_THREAD_FUNNELED);
// the other threads run tasks from a local queue.  The worker asks for up
// to 16 tasks per thread, so that the next tasks are already there when a
// thread becomes free: split tasks often take less than a round trip to
// rank 0, and rank 0 hands out fewer as a pass nears its end.
#include "distributed/mpi_worker.h"

#include <mpi.h>
#include <stdint.h>
#include <string.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include "computer/edge_task.h"
#include "distributed/mpi_protocol.h"
#include "distributed/task_codec.h"

namespace {

const auto kIdleWait = std::chrono::microseconds(100);
const auto kLongestIdleWait = std::chrono::microseconds(800);

/// A task to run, with its index in rank 0's pass.
struct Job {
  uint64_t index;
  std::unique_ptr<EdgeTask> task;
};

/// A message for rank 0.
struct Outgoing {
  int tag;
  std::vector<uint8_t> bytes;
};

class Worker {
 public:
  explicit Worker(int threads) : threads_(threads < 1 ? 1 : threads) {}

  int Run() {
    std::vector<std::thread> pool;
    for (int t = 0; t < threads_; ++t) pool.emplace_back([this] { work(); });
    talk();
    {
      std::lock_guard<std::mutex> lock(mutex_);
      stop_ = true;
    }
    queued_.notify_all();
    for (std::thread& thread : pool) thread.join();
    return 0;
  }

 private:
  void work() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
      queued_.wait(lock, [this] { return stop_ || !queue_.empty(); });
      if (stop_) return;
      Job job = std::move(queue_.front());
      queue_.pop_front();
      ++running_;
      lock.unlock();
      Outgoing message;
      try {
        job.task->Run();
        message.tag = kTagResult;
        message.bytes.resize(sizeof(job.index));
        memcpy(message.bytes.data(), &job.index, sizeof(job.index));
        std::vector<uint8_t> result = EncodeTaskResult(*job.task);
        message.bytes.insert(message.bytes.end(), result.begin(), result.end());
      } catch (const std::exception& error) {
        message.tag = kTagFailure;
        std::string what = error.what();
        message.bytes.assign(what.begin(), what.end());
      }
      job.task.reset();
      lock.lock();
      --running_;
      outbox_.push_back(std::move(message));
      finished_.notify_all();
    }
  }

  void talk() {
    const int capacity = 16 * threads_;
    bool request_open = false;
    auto idle_wait = kIdleWait;
    for (;;) {
      std::deque<Outgoing> sending;
      int load;
      {
        std::lock_guard<std::mutex> lock(mutex_);
        sending.swap(outbox_);
        load = static_cast<int>(queue_.size()) + running_;
      }
      for (Outgoing& message : sending) send(std::move(message));
      finish_sends(false);
      if (!request_open && load < capacity) {
        int32_t wanted = capacity - load;
        MPI_Send(&wanted, sizeof(wanted), MPI_BYTE, 0, kTagRequest, MPI_COMM_WORLD);
        request_open = true;
      }
      int flag = 0;
      MPI_Status status;
      MPI_Iprobe(0, MPI_ANY_TAG, MPI_COMM_WORLD, &flag, &status);
      if (flag) {
        int size = 0;
        MPI_Get_count(&status, MPI_BYTE, &size);
        std::vector<uint8_t> buffer(static_cast<size_t>(size));
        MPI_Recv(buffer.data(), size, MPI_BYTE, 0, status.MPI_TAG, MPI_COMM_WORLD, MPI_STATUS_IGNORE);
        if (status.MPI_TAG == kTagStop) {
          finish_sends(true);
          return;
        }
        if (status.MPI_TAG == kTagTasks) {
          receive_tasks(buffer);
          request_open = false;
        }
        idle_wait = kIdleWait;
        continue;
      }
      if (sending.empty()) {
        // Results wake this at once; messages from rank 0 are looked for
        // less often the longer none comes (see the runner's idle wait).
        std::unique_lock<std::mutex> lock(mutex_);
        finished_.wait_for(lock, idle_wait, [this] { return !outbox_.empty(); });
        idle_wait = std::min(2 * idle_wait, kLongestIdleWait);
      } else {
        idle_wait = kIdleWait;
      }
    }
  }

  // A result larger than MPI's eager limit is only taken when rank 0 next
  // polls; a blocking send would spin this rank's CPU until then, taking it
  // from the threads that run tasks.  So results go out unblocking and are
  // released once sent.
  void send(Outgoing message) {
    in_flight_.push_back(std::make_unique<Outgoing>(std::move(message)));
    Outgoing& sent = *in_flight_.back();
    MPI_Request request;
    MPI_Isend(sent.bytes.data(), static_cast<int>(sent.bytes.size()), MPI_BYTE, 0, sent.tag, MPI_COMM_WORLD,
              &request);
    requests_.push_back(request);
  }

  void finish_sends(bool wait) {
    if (requests_.empty()) return;
    if (wait) {
      MPI_Waitall(static_cast<int>(requests_.size()), requests_.data(), MPI_STATUSES_IGNORE);
      requests_.clear();
      in_flight_.clear();
      return;
    }
    for (size_t k = 0; k < requests_.size();) {
      int done = 0;
      MPI_Test(&requests_[k], &done, MPI_STATUS_IGNORE);
      if (done) {
        requests_.erase(requests_.begin() + static_cast<long>(k));
        in_flight_.erase(in_flight_.begin() + static_cast<long>(k));
      } else {
        ++k;
      }
    }
  }

  void receive_tasks(const std::vector<uint8_t>& buffer) {
    size_t at = 0;
    auto take = [&](void* out, size_t bytes) {
      if (buffer.size() - at < bytes) throw TaskCodecError("truncated task message");
      memcpy(out, buffer.data() + at, bytes);
      at += bytes;
    };
    uint32_t count;
    take(&count, sizeof(count));
    std::vector<Job> jobs;
    for (uint32_t k = 0; k < count; ++k) {
      Job job;
      uint32_t length;
      uint8_t count_labelled;
      take(&job.index, sizeof(job.index));
      take(&count_labelled, sizeof(count_labelled));
      take(&length, sizeof(length));
      if (buffer.size() - at < length) throw TaskCodecError("truncated task message");
      ModuliType moduli;
      SearchKind kind;
      SearchPoint from;
      GraphBounds bounds;
      PartialGraph start = DecodeTaskStart(buffer.data() + at, length, moduli, kind, from, bounds);
      job.task = std::make_unique<EdgeTask>(start, moduli, kind, from, bounds);
      if (count_labelled) job.task->labelled = std::make_unique<LabelledTally>();
      at += length;
      jobs.push_back(std::move(job));
    }
    {
      std::lock_guard<std::mutex> lock(mutex_);
      for (Job& job : jobs) queue_.push_back(std::move(job));
    }
    queued_.notify_all();
  }

  int threads_;
  std::mutex mutex_;
  std::condition_variable queued_;    // a task or the stop for the threads
  std::condition_variable finished_;  // a message for the talking thread
  std::deque<Job> queue_;
  std::deque<Outgoing> outbox_;
  // Results sent unblocking, kept until MPI is done with their bytes.
  std::vector<std::unique_ptr<Outgoing>> in_flight_;
  std::vector<MPI_Request> requests_;
  int running_ = 0;
  bool stop_ = false;
};

}  // namespace

int RunMpiWorker(int threads) { return Worker(threads).Run(); }
