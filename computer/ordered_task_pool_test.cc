// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "computer/ordered_task_pool.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>
#include <vector>

namespace {

std::vector<size_t> Range(size_t from, size_t to) {
  std::vector<size_t> range;
  for (size_t index = from; index < to; ++index) range.push_back(index);
  return range;
}

}  // namespace

// Tasks run elsewhere finish last first: nothing is released until the
// first one is in, then all of them at once, in order.
TEST(OrderedTaskPool, ReleasesInTaskOrderWhateverOrderTasksFinishIn) {
  OrderedTaskPool pool(3, 8);
  EXPECT_EQ(std::make_pair(size_t{3}, size_t{8}), pool.Claim(10));
  std::vector<size_t> released;
  auto collect = [&](size_t index) { released.push_back(index); };
  for (size_t index : {7u, 6u, 5u, 4u}) {
    pool.Finish(index);
    EXPECT_FALSE(pool.ReleaseFinished(collect));
  }
  EXPECT_TRUE(released.empty());
  EXPECT_FALSE(pool.AllReleased());
  pool.Finish(3);
  EXPECT_TRUE(pool.ReleaseFinished(collect));
  EXPECT_EQ(Range(3, 8), released);
  EXPECT_TRUE(pool.AllReleased());
}

TEST(OrderedTaskPool, HoldsWhatFinishedAfterAGap) {
  OrderedTaskPool pool(0, 4);
  pool.Claim(4);
  std::vector<size_t> released;
  auto collect = [&](size_t index) { released.push_back(index); };
  pool.Finish(0);
  pool.Finish(2);
  pool.ReleaseFinished(collect);
  EXPECT_EQ(std::vector<size_t>{0}, released);
  pool.Finish(1);
  pool.ReleaseFinished(collect);
  EXPECT_EQ(Range(0, 3), released);
  EXPECT_FALSE(pool.AllReleased());
}

// The pool's threads finish later tasks first (they sleep less), yet each
// task of the window runs once and is released once, in order, after it ran.
TEST(OrderedTaskPool, ThreadsRunEachTaskOfTheWindowOnce) {
  for (int threads : {1, 2, 5}) {
    const size_t first = 5, count = 30;
    std::vector<std::atomic<int>> ran(count + 5);
    OrderedTaskPool pool(first, count);
    pool.StartThreads(threads, [&](size_t index) {
      std::this_thread::sleep_for(std::chrono::microseconds(40 * (count - index)));
      ++ran[index];
    });
    std::vector<size_t> released;
    while (!pool.AllReleased()) {
      pool.WaitForNext();
      pool.ReleaseFinished([&](size_t index) {
        EXPECT_EQ(1, ran[index].load()) << index;
        released.push_back(index);
      });
    }
    pool.Stop();
    EXPECT_EQ(Range(first, count), released) << threads << " threads";
    for (size_t index = 0; index < ran.size(); ++index)
      EXPECT_EQ(index >= first && index < count ? 1 : 0, ran[index].load()) << index;
  }
}

TEST(OrderedTaskPool, ClaimsStayWithinTheWindow) {
  OrderedTaskPool pool(2, 10);
  EXPECT_EQ(8u, pool.Unclaimed());
  EXPECT_EQ(std::make_pair(size_t{2}, size_t{5}), pool.Claim(3));
  EXPECT_EQ(5u, pool.Unclaimed());
  EXPECT_EQ(std::make_pair(size_t{5}, size_t{10}), pool.Claim(100));
  EXPECT_EQ(0u, pool.Unclaimed());
  std::pair<size_t, size_t> none = pool.Claim(1);
  EXPECT_EQ(none.first, none.second);
}

TEST(OrderedTaskPool, OnlyAClaimedUnfinishedTaskIsRunning) {
  OrderedTaskPool pool(2, 6);
  EXPECT_FALSE(pool.IsRunning(2)) << "not yet claimed";
  pool.Claim(2);
  EXPECT_FALSE(pool.IsRunning(1)) << "before the window";
  EXPECT_TRUE(pool.IsRunning(2));
  EXPECT_TRUE(pool.IsRunning(3));
  EXPECT_FALSE(pool.IsRunning(4)) << "not yet claimed";
  EXPECT_FALSE(pool.IsRunning(6)) << "beyond the window";
  pool.Finish(3);
  EXPECT_FALSE(pool.IsRunning(3));
  EXPECT_THROW(pool.Finish(3), std::logic_error);
  EXPECT_THROW(pool.Finish(4), std::logic_error);
  EXPECT_THROW(pool.Finish(1), std::logic_error);
  EXPECT_THROW(pool.Finish(100), std::logic_error);
}

TEST(OrderedTaskPool, AnEmptyWindowIsReleasedAlready) {
  for (size_t count : {3u, 1u}) {
    OrderedTaskPool pool(3, count);
    std::atomic<int> runs{0};
    pool.StartThreads(4, [&](size_t) { ++runs; });
    EXPECT_TRUE(pool.AllReleased());
    EXPECT_EQ(0u, pool.Unclaimed());
    EXPECT_FALSE(pool.ReleaseFinished([](size_t) { FAIL(); }));
    pool.Stop();
    EXPECT_EQ(0, runs.load());
  }
}

// A task that throws stops the threads and every release after it; the
// failure comes back from ReleaseFinished and again after Stop.
TEST(OrderedTaskPool, AFailedTaskStopsTheReleases) {
  OrderedTaskPool pool(0, 1000);
  std::atomic<size_t> runs{0};
  pool.StartThreads(3, [&](size_t index) {
    ++runs;
    if (index == 10) throw std::runtime_error("task");
    // Slow enough that the failure is seen long before the last task.
    if (index > 10) std::this_thread::sleep_for(std::chrono::microseconds(500));
  });
  std::vector<size_t> released;
  EXPECT_THROW(
      {
        for (;;) {
          pool.WaitForNext();
          pool.ReleaseFinished([&](size_t index) { released.push_back(index); });
          if (pool.AllReleased()) break;
        }
      },
      std::runtime_error);
  pool.Stop();
  for (size_t index : released) EXPECT_LT(index, 10u);
  EXPECT_LT(runs.load(), 1000u) << "the threads stop after a failure";
  EXPECT_THROW(pool.RethrowFailure(), std::runtime_error);
  EXPECT_FALSE(pool.AllReleased());
}

TEST(OrderedTaskPool, AFailureRecordedFromOutsideStopsClaimsAndReleases) {
  OrderedTaskPool pool(0, 5);
  pool.Claim(2);
  pool.Finish(0);
  pool.Fail(std::make_exception_ptr(std::invalid_argument("worker")));
  pool.Fail(std::make_exception_ptr(std::logic_error("later")));
  std::pair<size_t, size_t> none = pool.Claim(3);
  EXPECT_EQ(none.first, none.second);
  EXPECT_THROW(pool.ReleaseFinished([](size_t) { FAIL(); }), std::invalid_argument);
  EXPECT_THROW(pool.RethrowFailure(), std::invalid_argument) << "the first failure is kept";
}

TEST(OrderedTaskPool, AFailedReleaseCountsAsReleased) {
  OrderedTaskPool pool(0, 3);
  pool.Claim(3);
  for (size_t index = 0; index < 3; ++index) pool.Finish(index);
  std::vector<size_t> released;
  EXPECT_THROW(pool.ReleaseFinished([&](size_t index) {
    released.push_back(index);
    if (index == 1) throw std::logic_error("printer");
  }),
               std::logic_error);
  EXPECT_TRUE(pool.ReleaseFinished([&](size_t index) { released.push_back(index); }));
  EXPECT_EQ(Range(0, 3), released);
  pool.RethrowFailure();  // a failed release is the caller's to record
}

TEST(OrderedTaskPool, WaitingEndsWithTheNextTaskOrTheTimeout) {
  OrderedTaskPool pool(0, 2);
  pool.Claim(2);
  pool.Finish(1);
  auto start = std::chrono::steady_clock::now();
  pool.WaitForNext(std::chrono::microseconds(2000));
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::microseconds(2000))
      << "task 0 has not finished";
  std::thread finisher([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    pool.Finish(0);
  });
  pool.WaitForNext();
  EXPECT_FALSE(pool.IsRunning(0));
  finisher.join();
  std::vector<size_t> released;
  pool.ReleaseFinished([&](size_t index) { released.push_back(index); });
  EXPECT_EQ(Range(0, 2), released);
}
