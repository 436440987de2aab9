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
#include "checkpoint/output_checksum.h"
#include "computer/run_journal.h"

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

/// A run's checkpoint: a small text file that holds the arguments of the
/// run, what its standard output was (OutputRecord) and the RunState,
/// replaced atomically (a new file written, flushed to disk and renamed
/// over the old one) at every record.
///
/// While the run lasts it holds an exclusive lock on FILE.lock beside the
/// checkpoint (which stays in place across the renames, and is removed at
/// the end) and on the output file, so that a second run on the same
/// checkpoint or output is refused.
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

  /// The file's text for a state.
  static std::string Format(const std::vector<std::string>& arguments, const OutputRecord& output,
                            const RunState& state);
  /// Reads Format's text back; "" or what is wrong with it.
  static std::string Parse(const std::string& text, std::vector<std::string>& arguments, OutputRecord& output,
                           RunState& state);
  /// The largest checkpoint read, in bytes: far beyond what any run
  /// writes, and small enough to read into memory.
  static constexpr long long kMaxBytes = 256LL << 20;

 private:
  std::string kind_problem() const;
  std::string lock();
  std::string new_output_problem() const;
  std::string open_output();
  std::string read_checkpoint(std::string& text, bool& exists);
  std::string check_output(const OutputRecord& recorded);
  void extend_checksum();
  std::string named() const;

  std::string path_;
  AtomicFileWriter writer_;  // of path_
  std::vector<std::string> arguments_;
  std::chrono::duration<double> interval_;
  FILE* output_;
  std::string output_to_create_;  // the --output file not made yet, or ""
  bool resumed_ = false;
  RunState state_;
  OutputRecord recorded_;
  int lock_fd_ = -1;
  bool locked_ = false;
  bool remove_lock_ = false;  // when this object ends
  // The output file opened again for reading, to extend the checksum
  // (standard output is usually write-only); -1 when it is no regular file.
  int read_fd_ = -1;
  uint64_t device_ = 0, inode_ = 0;
  long long start_ = 0;
  OutputChecksum checksum_;
  std::chrono::steady_clock::time_point last_record_;
};

#endif  // STABLE_GRAPHS_CHECKPOINT_CHECKPOINT_FILE_H_
