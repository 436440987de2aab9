// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "checkpoint/checkpoint_lock.h"

#include <gtest/gtest.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>
#include <string>

namespace {

/// A fresh directory, removed with what is left in it at the end.
class ScratchDirectory {
 public:
  ScratchDirectory() {
    char name[] = "/tmp/checkpoint_lock_test.XXXXXX";
    path = mkdtemp(name) ? name : "";
  }
  ~ScratchDirectory() {
    unlink((path + "/cp.lock").c_str());
    rmdir(path.c_str());
  }
  std::string path;
};

bool exists(const std::string& path) {
  struct stat status;
  return lstat(path.c_str(), &status) == 0;
}

}  // namespace

TEST(CheckpointLock, SecondRunOnTheCheckpointIsRefused) {
  ScratchDirectory dir;
  ASSERT_NE("", dir.path);
  CheckpointLock first(dir.path + "/cp", "checkpoint cp");
  EXPECT_EQ(dir.path + "/cp.lock", first.path());
  ASSERT_EQ("", first.Take());
  CheckpointLock second(dir.path + "/cp", "checkpoint cp");
  EXPECT_EQ("checkpoint cp is in use by another run (it holds " + dir.path + "/cp.lock): wait for that run to end",
            second.Take());
}

// The lock file is removed by the run that made it, or by one that goes
// on; a refused run leaves a file a killed run left where it was.
TEST(CheckpointLock, FileIsRemovedByTheRunThatMadeItOrGoesOn) {
  ScratchDirectory dir;
  ASSERT_NE("", dir.path);
  const std::string lock_path = dir.path + "/cp.lock";
  {
    CheckpointLock made(dir.path + "/cp", "checkpoint cp");
    ASSERT_EQ("", made.Take());
    EXPECT_TRUE(exists(lock_path));
  }
  EXPECT_FALSE(exists(lock_path));

  FILE* left = fopen(lock_path.c_str(), "w");  // as a killed run leaves it
  ASSERT_NE(nullptr, left);
  fclose(left);
  {
    CheckpointLock refused(dir.path + "/cp", "checkpoint cp");
    ASSERT_EQ("", refused.Take());
  }
  EXPECT_TRUE(exists(lock_path));
  {
    CheckpointLock goes_on(dir.path + "/cp", "checkpoint cp");
    ASSERT_EQ("", goes_on.Take());
    goes_on.RemoveAtEnd();
  }
  EXPECT_FALSE(exists(lock_path));
}

TEST(CheckpointLock, KnowsItsFile) {
  ScratchDirectory dir;
  ASSERT_NE("", dir.path);
  CheckpointLock lock(dir.path + "/cp", "checkpoint cp");
  struct stat status;
  ASSERT_EQ(0, stat(dir.path.c_str(), &status));
  EXPECT_FALSE(lock.IsLockFile(status)) << "nothing held yet";
  ASSERT_EQ("", lock.Take());
  ASSERT_EQ(0, stat(lock.path().c_str(), &status));
  EXPECT_TRUE(lock.IsLockFile(status));
  ASSERT_EQ(0, stat(dir.path.c_str(), &status));
  EXPECT_FALSE(lock.IsLockFile(status));
}

TEST(CheckpointLock, LockFileThatIsNoRegularFileIsRefused) {
  ScratchDirectory dir;
  ASSERT_NE("", dir.path);
  ASSERT_EQ(0, mkdir((dir.path + "/cp.lock").c_str(), 0755));
  CheckpointLock lock(dir.path + "/cp", "checkpoint cp");
  EXPECT_NE("", lock.Take());
  rmdir((dir.path + "/cp.lock").c_str());
}
