// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_TESTING_SAMPLE_RUN_STATE_H_
#define STABLE_GRAPHS_TESTING_SAMPLE_RUN_STATE_H_

#include "computer/run_journal.h"

/// A run state with every field set, one count beyond 32 bits and a
/// labelled count beyond 64, for the tests that write and read checkpoints.
inline RunState SampleRunState() {
  RunState state;
  state.pass = 4;
  state.tasks_done = 17;
  state.pass_printed = true;
  state.complete = true;
  state.tried = {0, 3, 5000000000, 7};
  state.unconnected = {0, 0, 1, 2};
  state.duplicated = {0, 0, 0, 9};
  state.found = {0, 3, 4, 5};
  state.found_per_codimension = {1, 2, 3};
  state.labelled_found = {"0", "12", "123456789012345678901234567890"};
  state.labelled_per_codimension = {"5", "0"};
  state.printer_state = "3 14";
  return state;
}

#endif  // STABLE_GRAPHS_TESTING_SAMPLE_RUN_STATE_H_
