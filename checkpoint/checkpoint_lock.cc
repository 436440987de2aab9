// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "checkpoint/checkpoint_lock.h"

#include <errno.h>
#include <fcntl.h>
#include <string.h>
#include <sys/file.h>
#include <unistd.h>

#include <utility>

#include "checkpoint/same_file.h"
#include "graph/printable_text.h"

CheckpointLock::CheckpointLock(std::string checkpoint_path, std::string name)
    : path_(std::move(checkpoint_path) + ".lock"), name_(std::move(name)) {}

// The file goes first, while it is still locked: closing the descriptor
// releases the lock.
CheckpointLock::~CheckpointLock() {
  if (locked_ && remove_) unlink(path_.c_str());
  if (fd_ >= 0) close(fd_);
}

// The run that holds the lock removes the file when it ends, unless it was
// refused and found the file there (left by a killed run); a run that
// locked a file just removed (or replaced) tries again with the file now
// there, so that two runs never hold locks on two different files.
std::string CheckpointLock::Take() {
  for (int attempt = 0; attempt < 100; ++attempt) {
    const int flags = O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
    fd_ = open(path_.c_str(), flags | O_CREAT | O_EXCL, 0644);
    remove_ = fd_ >= 0;
    if (fd_ < 0 && errno == EEXIST) {
      fd_ = open(path_.c_str(), flags);
      if (fd_ < 0 && errno == ENOENT) continue;  // removed since
    }
    if (fd_ < 0) return "cannot open the lock file " + PrintableText(path_) + " of " + name_ + ": " + strerror(errno);
    struct stat status;
    if (fstat(fd_, &status) != 0 || !S_ISREG(status.st_mode))
      return "the lock file " + PrintableText(path_) + " of " + name_ + " is not a regular file";
    if (flock(fd_, LOCK_EX | LOCK_NB) != 0) {
      if (errno == EWOULDBLOCK)
        return name_ + " is in use by another run (it holds " + PrintableText(path_) + "): wait for that run to end";
      return "cannot lock " + PrintableText(path_) + ": " + strerror(errno);
    }
    struct stat now;
    if (lstat(path_.c_str(), &now) == 0 && SameFile(status, now)) {
      locked_ = true;
      return "";
    }
    close(fd_);
    fd_ = -1;
  }
  return "cannot lock " + PrintableText(path_) + ": it is replaced again and again";
}

bool CheckpointLock::IsLockFile(const struct stat& status) const {
  struct stat lock_status;
  return fd_ >= 0 && fstat(fd_, &lock_status) == 0 && SameFile(status, lock_status);
}
