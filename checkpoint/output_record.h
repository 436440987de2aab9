// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_CHECKPOINT_OUTPUT_RECORD_H_
#define STABLE_GRAPHS_CHECKPOINT_OUTPUT_RECORD_H_

#include <stdint.h>

/// What a checkpoint knows of the run's standard output when it is a
/// regular file: which file it is, how long it was, and a checksum of what
/// the run wrote to it (the bytes from `start`, its length when the run
/// began, to `length`).  `length` is -1 for an output that is not a
/// regular file (a pipe, a terminal), and then nothing else is known.
struct OutputRecord {
  long long length = -1;
  long long start = 0;
  uint64_t device = 0;
  uint64_t inode = 0;
  uint64_t checksum = 0;
};

#endif  // STABLE_GRAPHS_CHECKPOINT_OUTPUT_RECORD_H_
