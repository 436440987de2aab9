// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_CHECKPOINT_CHECKPOINT_TEXT_H_
#define STABLE_GRAPHS_CHECKPOINT_CHECKPOINT_TEXT_H_

#include <string>
#include <vector>

#include "checkpoint/output_record.h"
#include "computer/run_journal.h"

/// The text of a checkpoint file: the arguments of the run, its output
/// (OutputRecord) and its RunState, closed by a checksum.  Knows nothing
/// of files or locks: CheckpointFile reads and writes the text.
class CheckpointText {
 public:
  /// The file's text for a state.
  static std::string Format(const std::vector<std::string>& arguments, const OutputRecord& output,
                            const RunState& state);
  /// Reads Format's text back; "" or what is wrong with it.
  static std::string Parse(const std::string& text, std::vector<std::string>& arguments, OutputRecord& output,
                           RunState& state);
};

#endif  // STABLE_GRAPHS_CHECKPOINT_CHECKPOINT_TEXT_H_
