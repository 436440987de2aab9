// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_COMPUTER_STATISTICS_MODE_H_
#define STABLE_GRAPHS_COMPUTER_STATISTICS_MODE_H_

/// What a run reports on standard error.
enum Statistics {
  StatisticsFull = 0,
  StatisticsTerse = 1,
  StatisticsNone = 2,
};

#endif  // STABLE_GRAPHS_COMPUTER_STATISTICS_MODE_H_
