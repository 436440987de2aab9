// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_CHECKPOINT_CHECKPOINT_FILE_H_
#define STABLE_GRAPHS_CHECKPOINT_CHECKPOINT_FILE_H_

#include <stdio.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "computer/run_journal.h"

/// A run's checkpoint: a small text file that holds the arguments of the
/// run, the length its standard output had (when that is a regular file)
/// and the RunState, replaced atomically (a new file written, flushed to
/// disk and renamed over the old one) at every record.
class CheckpointFile : public RunJournal {
 public:
  /// For a run with `arguments` (those that choose what is computed and
  /// written) whose graphs go to `output`, recording at most every
  /// `interval_seconds` within a pass.
  CheckpointFile(std::string path, std::vector<std::string> arguments, double interval_seconds, FILE* output);

  /// Reads the checkpoint when the file exists and checks it against the
  /// arguments and the output; "" when the run may start (afresh or
  /// resumed), else one line saying why not.  Changes nothing on disk.
  std::string Open();
  /// The state to take up, or nullptr for a fresh start; valid after Open.
  const RunState* resume() const { return resumed_ ? &state_ : nullptr; }
  /// Cuts the output back to the recorded length (a resumed run writes on
  /// from there); "" or one line saying why it could not.
  std::string PrepareOutput();

  bool Due() override;
  /// Writes the state durably; throws OutputError when it cannot.
  void Record(const RunState& state) override;

  /// The file's text for a state.
  static std::string Format(const std::vector<std::string>& arguments, long long output_length,
                            const RunState& state);
  /// Reads Format's text back; "" or what is wrong with it.
  static std::string Parse(const std::string& text, std::vector<std::string>& arguments,
                           long long& output_length, RunState& state);

 private:
  long long output_length() const;

  std::string path_;
  std::vector<std::string> arguments_;
  std::chrono::duration<double> interval_;
  FILE* output_;
  bool resumed_ = false;
  RunState state_;
  long long recorded_length_ = -1;
  std::chrono::steady_clock::time_point last_record_;
};

#endif  // STABLE_GRAPHS_CHECKPOINT_CHECKPOINT_FILE_H_
