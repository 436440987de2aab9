// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_CHECKPOINT_CHECKPOINT_LOCK_H_
#define STABLE_GRAPHS_CHECKPOINT_CHECKPOINT_LOCK_H_

#include <sys/stat.h>

#include <string>

/// The exclusive lock a run holds on FILE.lock beside its checkpoint FILE,
/// so that a second run on the same checkpoint is refused.  The lock file,
/// not the checkpoint, carries the lock, since every record puts a new
/// checkpoint file in place.  Released (and the file removed when it
/// should be) when this object ends.
class CheckpointLock {
 public:
  /// For the checkpoint at `checkpoint_path`, which messages call `name`;
  /// nothing is locked yet.
  CheckpointLock(std::string checkpoint_path, std::string name);
  ~CheckpointLock();
  CheckpointLock(const CheckpointLock&) = delete;
  CheckpointLock& operator=(const CheckpointLock&) = delete;

  /// Takes the lock, making the lock file when there is none; "" or one
  /// line saying why not.
  std::string Take();
  /// The run goes on: the lock file is removed at the end even when a
  /// killed run left it (a refused run leaves such a file in place).
  void RemoveAtEnd() { remove_ = true; }
  /// Whether `status` is of the lock file this object holds open.
  bool IsLockFile(const struct stat& status) const;
  /// The lock file's path: the checkpoint's with ".lock" added.
  const std::string& path() const { return path_; }

 private:
  std::string path_;
  std::string name_;
  int fd_ = -1;
  bool locked_ = false;
  bool remove_ = false;  // the file, when this object ends
};

#endif  // STABLE_GRAPHS_CHECKPOINT_CHECKPOINT_LOCK_H_
