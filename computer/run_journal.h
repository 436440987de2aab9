// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_COMPUTER_RUN_JOURNAL_H_
#define STABLE_GRAPHS_COMPUTER_RUN_JOURNAL_H_

#include <stddef.h>
#include <stdint.h>

#include <stdexcept>
#include <string>
#include <vector>

/// How far an enumeration has come, at a point where it can be resumed:
/// every graph before it has reached the printer and been flushed.
struct RunState {
  /// 0: nothing printed yet (BeginPrint not called); else the pass K in
  /// progress, every earlier pass complete.
  int pass = 0;
  /// Tasks of pass `pass`, in printing order, already printed.
  size_t tasks_done = 0;
  /// Whether pass `pass` has made a PrintSomeGraph call.
  bool pass_printed = false;
  /// The run is over (EndPrint called); `pass` is one beyond the last.
  bool complete = false;
  std::vector<int64_t> tried, unconnected, duplicated, found, found_per_codimension;
  /// The labelled counts (decimal), when the run counts them.
  std::vector<std::string> labelled_found, labelled_per_codimension;
  /// The printer's State().
  std::string printer_state;
};

/// Where an enumerator records its resumable states, e.g. a checkpoint file.
class RunJournal {
 public:
  virtual ~RunJournal() {}
  /// True when a state should be recorded now, between two tasks; the
  /// enumerator then flushes its printer and calls Record.  The start and
  /// the boundaries between passes are recorded whatever Due says.
  virtual bool Due() = 0;
  /// Keeps `state` (durably, for a checkpoint file) before returning.
  virtual void Record(const RunState& state) = 0;
  /// True when the run is to stop at the state just recorded (a signal
  /// asked it to); the enumerator then throws RunInterrupted.
  virtual bool StopRequested() const { return false; }
};

/// Ends an enumeration that stopped, at its journal's request, right after
/// recording its state.
class RunInterrupted : public std::runtime_error {
 public:
  RunInterrupted() : std::runtime_error("the run was stopped after recording its state") {}
};

#endif  // STABLE_GRAPHS_COMPUTER_RUN_JOURNAL_H_
