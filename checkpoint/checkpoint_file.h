// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_CHECKPOINT_CHECKPOINT_FILE_H_
#define STABLE_GRAPHS_CHECKPOINT_CHECKPOINT_FILE_H_

#include <stdint.h>
#include <stdio.h>

#include <chrono>
#include <string>
#include <vector>

#include "checkpoint/atomic_file_writer.h"
#include "checkpoint/checkpoint_lock.h"
#include "checkpoint/output_record.h"
#include "checkpoint/output_tracker.h"
#include "computer/run_journal.h"

/// A run's checkpoint: a small text file (CheckpointText) that holds the
/// arguments of the run, what its standard output was (OutputRecord, from
/// the OutputTracker) and the RunState, replaced atomically (a new file
/// written, flushed to disk and renamed over the old one) at every record.
///
/// While the run lasts it holds an exclusive lock on FILE.lock beside the
/// checkpoint (CheckpointLock: it stays in place across the renames, and is
/// removed at the end) and on the output file, so that a second run on the
/// same checkpoint or output is refused.
class CheckpointFile : public RunJournal {
 public:
  /// For a run with `arguments` (those that choose what is computed and
  /// written) whose graphs go to `output`, recording at most every
  /// `interval_seconds` within a pass.
  CheckpointFile(std::string path, std::vector<std::string> arguments, double interval_seconds, FILE* output);
  ~CheckpointFile() override;
  CheckpointFile(const CheckpointFile&) = delete;
  CheckpointFile& operator=(const CheckpointFile&) = delete;

  /// Takes the locks, reads the checkpoint when the file exists and checks
  /// it against the arguments and the output (the same file, holding the
  /// bytes recorded); "" when the run may start (afresh or resumed), else
  /// one line saying why not.  Changes nothing on disk but for FILE.lock,
  /// which is there until this object is destroyed.
  ///
  /// `output_to_create` names the --output file when it does not exist
  /// yet: it is made only once the run is sure to start, so the checkpoint
  /// takes it for an empty file that is neither itself nor its lock file,
  /// and AttachOutput reads it back once it is made.
  std::string Open(const std::string& output_to_create = "");
  /// Opens the output back once the file Open was told of is made, and
  /// locks it; "" or one line saying why not.
  std::string AttachOutput();
  /// The state to take up, or nullptr for a fresh start; valid after Open.
  const RunState* resume() const { return resumed_ ? &state_ : nullptr; }
  /// The line refusing the checkpoint for `problem`, something wrong with
  /// the state it holds that Open could not see (the enumerator's
  /// BoundaryComputer::ResumeProblem); "" when `problem` is "".
  std::string StateRefusal(const std::string& problem) const;
  /// Cuts the output back to the recorded length (a resumed run writes on
  /// from there; a complete run writes nothing and cuts nothing) and
  /// removes the temporaries killed runs left; "" or one line saying why
  /// it could not.  Call it once the run is sure to start.
  std::string PrepareOutput();

  /// Due after the interval, and at once when a signal asked the run to
  /// stop (checkpoint/stop_signals.h).
  bool Due() override;
  bool StopRequested() const override;
  /// Writes the state durably; throws OutputError when it cannot.
  void Record(const RunState& state) override;

  /// The largest checkpoint read, in bytes: far beyond what any run
  /// writes, and small enough to read into memory.
  static constexpr long long kMaxBytes = 256LL << 20;

 private:
  std::string kind_problem() const;
  std::string new_output_problem() const;
  std::string read_checkpoint(std::string& text, bool& exists);
  std::string named() const;

  std::string path_;
  AtomicFileWriter writer_;  // of path_
  std::vector<std::string> arguments_;
  std::chrono::duration<double> interval_;
  std::string output_to_create_;  // the --output file not made yet, or ""
  bool resumed_ = false;
  RunState state_;
  OutputRecord recorded_;
  // The lock before the tracker: the tracker lets go of the output first.
  CheckpointLock lock_;
  OutputTracker tracker_;
  std::chrono::steady_clock::time_point last_record_;
};

#endif  // STABLE_GRAPHS_CHECKPOINT_CHECKPOINT_FILE_H_
