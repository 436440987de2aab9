// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "computer/task_split.h"

#include <gtest/gtest.h>

namespace {

TEST(TaskSplit, CutsWhenTheRowsAreAssigned) {
  TaskSplit split{2, nullptr};
  const int K = 5;
  // Row 1 ends at j = K: rows 0 and 1 are assigned.
  EXPECT_TRUE(split.CutsAt(1, K, K, false));
  // Row 0 ending is too early for two rows, and so is any pair inside row 1.
  EXPECT_FALSE(split.CutsAt(0, K, K, false));
  EXPECT_FALSE(split.CutsAt(1, 3, K, false));
  EXPECT_FALSE(split.CutsAt(1, K - 1, K, false));
}

TEST(TaskSplit, CutsEarlierWhenEveryEdgeIsPlaced) {
  TaskSplit split{2, nullptr};
  const int K = 5;
  EXPECT_TRUE(split.CutsAt(0, 3, K, true));
  EXPECT_TRUE(split.CutsAt(1, 2, K, true));
  // Beyond the rows cut, the parts carry on alone.
  EXPECT_FALSE(split.CutsAt(2, 4, K, true));
}

TEST(TaskSplit, NeverCutsAtTheStartOfTheSearch) {
  TaskSplit split{1, nullptr};
  EXPECT_FALSE(split.CutsAt(0, 1, 4, true));
  EXPECT_TRUE(split.CutsAt(0, 2, 4, true));
}

}  // namespace
