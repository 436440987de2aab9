// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "computer/parallel_runner.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <stdexcept>
#include <vector>

TEST(ParallelRunner, CallsEveryIndexOnce) {
  for (int threads : {1, 2, 5}) {
    for (size_t count : {0u, 1u, 3u, 1000u}) {
      std::vector<std::atomic<int>> calls(count);
      RunInParallel(count, threads, [&](size_t index) { ++calls[index]; });
      for (size_t k = 0; k < count; ++k) EXPECT_EQ(1, calls[k].load()) << threads << " threads, index " << k;
    }
  }
}

TEST(ParallelRunner, RethrowsTheFailureAfterAllThreadsStop) {
  std::atomic<int> running{0};
  EXPECT_THROW(RunInParallel(100, 4,
                             [&](size_t index) {
                               ++running;
                               if (index == 10) throw std::runtime_error("task failed");
                               --running;
                             }),
               std::runtime_error);
  EXPECT_EQ(1, running.load()) << "only the failed call is left unfinished";
}

TEST(ParallelRunner, SeesTheAffinityMask) { EXPECT_GE(UsableCpuCount(), 1); }

// Later runs finish first (their indices sleep less), yet done sees every
// index from `first` on exactly once, in ascending order, each after its run.
TEST(ParallelRunner, InOrderDeliversAscendingAfterEachRun) {
  for (int threads : {1, 2, 5}) {
    const size_t count = 40, first = 7;
    std::vector<std::atomic<int>> ran(count);
    std::vector<size_t> delivered;
    RunInOrder(first, count, threads,
               [&](size_t index) {
                 std::this_thread::sleep_for(std::chrono::microseconds(50 * (count - index)));
                 ++ran[index];
               },
               [&](size_t index) {
                 EXPECT_EQ(1, ran[index].load()) << index;
                 delivered.push_back(index);
               });
    std::vector<size_t> expected;
    for (size_t index = first; index < count; ++index) expected.push_back(index);
    EXPECT_EQ(expected, delivered) << threads << " threads";
    for (size_t index = 0; index < first; ++index) EXPECT_EQ(0, ran[index].load());
  }
  RunInOrder(3, 3, 2, [](size_t) { FAIL(); }, [](size_t) { FAIL(); });
}

TEST(ParallelRunner, InOrderStopsAtTheFirstFailure) {
  std::vector<size_t> delivered;
  EXPECT_THROW(RunInOrder(0, 1000, 3,
                          [](size_t index) {
                            if (index == 10) throw std::runtime_error("task");
                          },
                          [&](size_t index) { delivered.push_back(index); }),
               std::runtime_error);
  for (size_t index : delivered) EXPECT_LT(index, 10u);
  std::atomic<size_t> runs{0};
  EXPECT_THROW(RunInOrder(0, 1000, 3,
                          [&](size_t) {
                            std::this_thread::sleep_for(std::chrono::microseconds(200));
                            ++runs;
                          },
                          [](size_t index) {
                            if (index == 5) throw std::logic_error("printer");
                          }),
               std::logic_error);
  EXPECT_LT(runs.load(), 1000u) << "the threads stop once a delivery fails";
}
