// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_COMPUTER_PROGRESS_METER_H_
#define STABLE_GRAPHS_COMPUTER_PROGRESS_METER_H_

#include <stdio.h>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

/// How far a pass has come, as the meter shows it.
struct Progress {
  double share;   // of the pass's work done, 0 .. 1
  long found;     // graphs found so far
};

/// Shows a pass's progress in place at the end of the current line of a
/// terminal, a few times a second, and erases it when the pass ends.
///
/// The indicator is written after whatever the line already holds and
/// erased with backspaces, so the line reads as it would without it.
class ProgressMeter {
 public:
  /// Starts showing `read()` on `out` when `enabled`; otherwise does nothing.
  ProgressMeter(FILE* out, bool enabled, std::function<Progress()> read);
  /// Erases the indicator; the line is left as it was found.
  ~ProgressMeter();

  /// The text shown for a state of the pass: share, graphs, seconds, and an
  /// estimate of the time left once part of the pass is done.
  static std::string Format(const Progress& progress, double seconds);
  /// The estimate of the time the pass still needs, at the rate so far
  /// ("about 3 min left"); empty while nothing or everything is done.
  static std::string Remaining(double share, double seconds);

 private:
  void run();
  void erase();

  FILE* out_;
  std::function<Progress()> read_;
  std::chrono::steady_clock::time_point start_;
  size_t shown_ = 0;  // characters of the indicator now on the line
  bool stopping_ = false;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::thread thread_;
};

#endif  // STABLE_GRAPHS_COMPUTER_PROGRESS_METER_H_
