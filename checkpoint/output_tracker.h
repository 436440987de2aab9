// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_CHECKPOINT_OUTPUT_TRACKER_H_
#define STABLE_GRAPHS_CHECKPOINT_OUTPUT_TRACKER_H_

#include <stdint.h>
#include <stdio.h>
#include <sys/stat.h>

#include <string>

#include "checkpoint/checkpoint_lock.h"
#include "checkpoint/output_checksum.h"
#include "checkpoint/output_record.h"

/// Follows a checkpointed run's standard output when it is a regular
/// file: which file it is, and a checksum of what the run wrote to it, read
/// back through /proc/self/fd (standard output is usually write-only).
/// The file is locked while this object lasts, so that two checkpointed
/// runs never write one output.  An output that is no regular file (a
/// pipe, a terminal) is only flushed.
class OutputTracker {
 public:
  /// For the run's standard output, `output`; nothing is opened yet.
  explicit OutputTracker(FILE* output);
  ~OutputTracker();
  OutputTracker(const OutputTracker&) = delete;
  OutputTracker& operator=(const OutputTracker&) = delete;

  /// Opens a regular output again for reading and locks it; "" (also for
  /// an output that is no regular file) or one line saying why not.  The
  /// output may not be `lock`'s file; messages call the checkpoint
  /// `checkpoint`.
  std::string Open(const CheckpointLock& lock, const std::string& checkpoint);
  /// Whether the output is a regular file that Open opened.
  bool IsRegularFile() const { return read_fd_ >= 0; }
  /// Whether `status` is of the output file Open opened.
  bool IsOutputFile(const struct stat& status) const;
  /// Checks that the output holds the bytes `recorded` by the checkpoint
  /// `checkpoint`, and takes their checksum up to extend it; "" or one line
  /// saying why not.  `output_to_create` names the --output file when it is
  /// not made yet, else it is "".
  std::string Check(const OutputRecord& recorded, const std::string& checkpoint,
                    const std::string& output_to_create);
  /// Cuts the output back to `length` bytes and writes on from there; "" or
  /// one line saying why it could not.
  std::string CutTo(long long length);
  /// Flushes the output and says what it holds now; throws OutputError
  /// when it cannot be written or read back, or was cut by something else.
  OutputRecord Record();

 private:
  void extend_checksum();

  FILE* output_;
  // The output file opened again for reading; -1 when it is no regular file.
  int read_fd_ = -1;
  uint64_t device_ = 0, inode_ = 0;
  long long start_ = 0;
  OutputChecksum checksum_;
};

#endif  // STABLE_GRAPHS_CHECKPOINT_OUTPUT_TRACKER_H_
