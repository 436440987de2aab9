// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "checkpoint/output_tracker.h"

#include <gtest/gtest.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "checkpoint/output_checksum.h"

namespace {

/// A fresh directory with a lock taken in it, removed at the end.
class Scratch {
 public:
  Scratch() {
    char name[] = "/tmp/output_tracker_test.XXXXXX";
    path = mkdtemp(name) ? name : "";
  }
  ~Scratch() {
    unlink((path + "/out").c_str());
    unlink((path + "/cp.lock").c_str());
    rmdir(path.c_str());
  }
  std::string path;
};

uint64_t digest_of(const std::string& bytes) {
  OutputChecksum checksum;
  checksum.Add(bytes.data(), bytes.size());
  return checksum.Digest();
}

}  // namespace

// Only what the run wrote is checksummed: the bytes from the length the
// file had when the run began.
TEST(OutputTracker, RecordsWhatTheRunWroteToARegularFile) {
  Scratch dir;
  ASSERT_NE("", dir.path);
  CheckpointLock lock(dir.path + "/cp", "checkpoint cp");
  ASSERT_EQ("", lock.Take());
  FILE* out = fopen((dir.path + "/out").c_str(), "a");
  ASSERT_NE(nullptr, out);
  fputs("before ", out);
  fflush(out);
  {
    OutputTracker tracker(out);
    ASSERT_EQ("", tracker.Open(lock, "checkpoint cp"));
    EXPECT_TRUE(tracker.IsRegularFile());
    struct stat status;
    ASSERT_EQ(0, stat((dir.path + "/out").c_str(), &status));
    EXPECT_TRUE(tracker.IsOutputFile(status));
    fputs("graphs", out);
    OutputRecord record = tracker.Record();
    EXPECT_EQ(7, record.start);
    EXPECT_EQ(13, record.length);
    EXPECT_EQ(static_cast<uint64_t>(status.st_ino), record.inode);
    EXPECT_EQ(digest_of("graphs"), record.checksum);
    fputs(" more", out);
    OutputRecord later = tracker.Record();
    EXPECT_EQ(18, later.length);
    EXPECT_EQ(digest_of("graphs more"), later.checksum);
  }
  fclose(out);
}

TEST(OutputTracker, ResumedRunChecksAndCutsTheOutput) {
  Scratch dir;
  ASSERT_NE("", dir.path);
  CheckpointLock lock(dir.path + "/cp", "checkpoint cp");
  ASSERT_EQ("", lock.Take());
  const std::string path = dir.path + "/out";
  OutputRecord record;
  {
    FILE* out = fopen(path.c_str(), "a");
    ASSERT_NE(nullptr, out);
    OutputTracker tracker(out);
    ASSERT_EQ("", tracker.Open(lock, "checkpoint cp"));
    fputs("first part", out);
    record = tracker.Record();
    fputs(" lost tail", out);
    fclose(out);
  }
  FILE* out = fopen(path.c_str(), "a");
  ASSERT_NE(nullptr, out);
  OutputTracker tracker(out);
  ASSERT_EQ("", tracker.Open(lock, "checkpoint cp"));
  // A refused record changes nothing: the one recorded is still taken.
  OutputRecord changed = record;
  changed.checksum ^= 1;
  EXPECT_EQ("the bytes 0 to 10 of standard output are not those recorded in checkpoint cp (their checksum "
            "differs): the output file was changed; nothing was cut",
            tracker.Check(changed, "checkpoint cp", ""));
  OutputRecord other = record;
  other.inode += 1;
  EXPECT_NE("", tracker.Check(other, "checkpoint cp", ""));
  OutputRecord longer = record;
  longer.length = 1000;
  EXPECT_NE("", tracker.Check(longer, "checkpoint cp", ""));
  EXPECT_EQ("", tracker.Check(record, "checkpoint cp", ""));
  ASSERT_EQ("", tracker.CutTo(record.length));
  fputs(" rest", out);
  OutputRecord after = tracker.Record();
  EXPECT_EQ(0, after.start);
  EXPECT_EQ(digest_of("first part rest"), after.checksum);

  fclose(out);
}

// A pipe keeps nothing to compare: it is only flushed.
TEST(OutputTracker, PipeIsOnlyFlushed) {
  int fds[2];
  ASSERT_EQ(0, pipe(fds));
  FILE* out = fdopen(fds[1], "w");
  ASSERT_NE(nullptr, out);
  Scratch dir;
  CheckpointLock lock(dir.path + "/cp", "checkpoint cp");
  ASSERT_EQ("", lock.Take());
  OutputTracker tracker(out);
  ASSERT_EQ("", tracker.Open(lock, "checkpoint cp"));
  EXPECT_FALSE(tracker.IsRegularFile());
  fputs("x", out);
  OutputRecord record = tracker.Record();
  EXPECT_EQ(-1, record.length);
  char got = 0;
  EXPECT_EQ(1, read(fds[0], &got, 1)) << "flushed";
  EXPECT_EQ('x', got);
  OutputRecord file_before;
  file_before.length = 5;
  EXPECT_EQ("checkpoint cp recorded standard output as a file of 5 bytes, but standard output is not a regular "
            "file now: resume with >> that file",
            tracker.Check(file_before, "checkpoint cp", ""));
  EXPECT_EQ("", tracker.Check(record, "checkpoint cp", "")) << "a pipe before: nothing to check";
  fclose(out);
  close(fds[0]);
}

// The output may not be the checkpoint's own lock file.
TEST(OutputTracker, LockFileIsNoOutput) {
  Scratch dir;
  ASSERT_NE("", dir.path);
  CheckpointLock lock(dir.path + "/cp", "checkpoint cp");
  ASSERT_EQ("", lock.Take());
  FILE* out = fopen(lock.path().c_str(), "a");
  ASSERT_NE(nullptr, out);
  OutputTracker tracker(out);
  EXPECT_EQ("standard output is the lock file of checkpoint cp: give the output another file",
            tracker.Open(lock, "checkpoint cp"));
  fclose(out);
}
