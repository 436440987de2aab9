// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "computer/parallel_runner.h"

#include <gtest/gtest.h>

#include <atomic>
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
