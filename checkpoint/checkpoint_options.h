// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_CHECKPOINT_CHECKPOINT_OPTIONS_H_
#define STABLE_GRAPHS_CHECKPOINT_CHECKPOINT_OPTIONS_H_

#include <string>
#include <vector>

/// The checkpoint options of a command line.
struct CheckpointOptions {
  std::string path;               // empty: no checkpoint
  double interval_seconds = 60;   // at most this long between two records within a pass
  std::string output;             // when not empty, the graphs are appended to this file
};

/// Takes "--checkpoint FILE", "--checkpoint-interval SECONDS" and
/// "--output FILE" (the graphs appended to FILE, not standard output: an
/// MPI launcher passes rank 0's standard output through a pipe) out of
/// `args` (the program name first), wherever they stand, leaving the rest
/// in order; "" or one line saying what is wrong with them.
std::string TakeCheckpointOptions(std::vector<char*>& args, CheckpointOptions& options);

#endif  // STABLE_GRAPHS_CHECKPOINT_CHECKPOINT_OPTIONS_H_
