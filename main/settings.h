// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_MAIN_SETTINGS_H_
#define STABLE_GRAPHS_MAIN_SETTINGS_H_

/// Which printer a run writes its graphs with.
enum Printer {
  PrinterLaTeX = 0,
  PrinterText = 1,
  PrinterBinary = 2,
  PrinterNone = 3,
  PrinterJson = 4,
  PrinterSage = 5,
  PrinterDot = 6,
  PrinterContractions = 7,
  PrinterHasse = 8,
};

/// What a run reports on standard error.
enum Statistics {
  StatisticsFull = 0,
  StatisticsTerse = 1,
  StatisticsNone = 2,
};

#endif  // STABLE_GRAPHS_MAIN_SETTINGS_H_
