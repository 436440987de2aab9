// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_CHECKPOINT_SAME_FILE_H_
#define STABLE_GRAPHS_CHECKPOINT_SAME_FILE_H_

#include <sys/stat.h>

/// Whether two examinations are of one file: the same device and inode,
/// whatever names reached it.
inline bool SameFile(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

#endif  // STABLE_GRAPHS_CHECKPOINT_SAME_FILE_H_
