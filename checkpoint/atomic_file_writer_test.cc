// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "checkpoint/atomic_file_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "printers/output_error.h"
#include "testing/scratch_directory.h"

namespace {

class AtomicFileWriterTest : public ScratchDirectoryTest {
 protected:
  std::string contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  std::set<std::string> names() {
    std::set<std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) found.insert(entry.path().filename());
    return found;
  }
};

TEST_F(AtomicFileWriterTest, EachWriteReplacesTheWholeFileAndLeavesNothingBeside) {
  std::string path = dir + "/state";
  AtomicFileWriter writer(path, "the state");
  writer.Write("a longer first text\n");
  EXPECT_EQ("a longer first text\n", contents(path));
  writer.Write(std::string("short\0x", 7));
  EXPECT_EQ(std::string("short\0x", 7), contents(path));
  writer.Write("");
  EXPECT_EQ("", contents(path));
  EXPECT_EQ((std::set<std::string>{"state"}), names());
}

TEST_F(AtomicFileWriterTest, AFailureNamesTheFileAndTheStep) {
  AtomicFileWriter writer(dir + "/missing/state", "checkpoint missing/state");
  try {
    writer.Write("text");
    FAIL() << "wrote into a directory that does not exist";
  } catch (const OutputError& error) {
    EXPECT_EQ(0u, std::string(error.what()).find("error writing checkpoint missing/state (creating the new file): "))
        << error.what();
  }
  EXPECT_TRUE(names().empty());
}

// Only the names a writer of this file makes go: FILE.new- and twelve
// lowercase hex digits.
TEST_F(AtomicFileWriterTest, LeftoversOfThisFileAloneAreRemoved) {
  for (const char* name : {"state.new-0123456789ab", "state.new-ffffffffffff", "state.new-0123456789a",
                           "state.new-0123456789abc", "state.new-0123456789AB", "other.new-0123456789ab",
                           "state", "xstate.new-0123456789ab"})
    file_with(name, "x");
  AtomicFileWriter(dir + "/state", "the state").RemoveLeftovers();
  EXPECT_EQ((std::set<std::string>{"state.new-0123456789a", "state.new-0123456789abc", "state.new-0123456789AB",
                                   "other.new-0123456789ab", "state", "xstate.new-0123456789ab"}),
            names());
}

}  // namespace
