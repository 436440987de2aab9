// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_CHECKPOINT_ATOMIC_FILE_WRITER_H_
#define STABLE_GRAPHS_CHECKPOINT_ATOMIC_FILE_WRITER_H_

#include <random>
#include <string>

/// Replaces the contents of one file at once: the text goes into a new
/// file beside it (FILE.new- and 12 hex digits), which is flushed to disk
/// and renamed over it, so that a reader, or a run killed at any moment,
/// finds the old contents or the new and never a part of them.
class AtomicFileWriter {
 public:
  /// A writer of the file at `path`, which errors call `name`.
  AtomicFileWriter(std::string path, std::string name);

  /// Replaces the file's contents by `text`; throws OutputError naming the
  /// step that failed, and leaves no new file behind then.
  void Write(const std::string& text);

  /// Removes the new files a writer of this path left when its process was
  /// killed; only for a process that alone writes the file (it holds the
  /// file's lock), since another's file being written would go too.
  void RemoveLeftovers() const;

 private:
  std::string path_;
  std::string name_;
  /// Picks the new files' names; seeded once per writer, so that two
  /// processes writing side by side try different names.
  std::mt19937_64 random_;
};

#endif  // STABLE_GRAPHS_CHECKPOINT_ATOMIC_FILE_WRITER_H_
