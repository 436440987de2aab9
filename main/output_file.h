// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_MAIN_OUTPUT_FILE_H_
#define STABLE_GRAPHS_MAIN_OUTPUT_FILE_H_

#include <string>

/// The --output file, put in the place of standard output and appended
/// to.  A file that exists is opened at once, which changes nothing on
/// disk; a new one is made only when the run is sure to start (Create),
/// so that a refused run leaves no empty file behind.
class OutputFile {
 public:
  explicit OutputFile(std::string path) : path_(std::move(path)) {}

  /// Puts the file in place of standard output when it exists; "" (then
  /// pending() tells whether it is still to be made) or why it cannot be
  /// appended to.
  std::string OpenExisting();
  /// Whether the file did not exist and Create is still to make it.
  bool pending() const { return pending_; }
  /// Makes the pending file and puts it in place of standard output; ""
  /// or why not.
  std::string Create();
  /// Removes the file Create made, for a run refused after all.
  void Discard();

 private:
  std::string place(int fd);

  std::string path_;
  bool pending_ = false;
  bool created_ = false;
};

#endif  // STABLE_GRAPHS_MAIN_OUTPUT_FILE_H_
