// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_TESTING_SCRATCH_DIRECTORY_H_
#define STABLE_GRAPHS_TESTING_SCRATCH_DIRECTORY_H_

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

/// A test fixture with a scratch directory for the files of one test,
/// removed afterwards.
class ScratchDirectoryTest : public testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/stable-graphs-test.XXXXXX";
    ASSERT_NE(nullptr, mkdtemp(pattern));
    dir = pattern;
  }
  void TearDown() override { std::filesystem::remove_all(dir); }

  /// Writes bytes to a file of the scratch directory and returns its path.
  std::string file_with(const std::string& name, const std::string& bytes) {
    std::string path = dir + "/" + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }

  std::string dir;
};

#endif  // STABLE_GRAPHS_TESTING_SCRATCH_DIRECTORY_H_
