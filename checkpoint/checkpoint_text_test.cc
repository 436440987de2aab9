// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "checkpoint/checkpoint_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testing/sample_run_state.h"

TEST(CheckpointText, FormatParsesBack) {
  std::vector<std::string> arguments = {"-P", "L", "with space", "", "5"};
  OutputRecord output{12345, 17, 2049, 18446744073709551615ULL, 0x0123456789abcdefULL};
  std::string text = CheckpointText::Format(arguments, output, SampleRunState());
  std::vector<std::string> read_arguments;
  OutputRecord read_output;
  RunState read;
  ASSERT_EQ("", CheckpointText::Parse(text, read_arguments, read_output, read));
  EXPECT_EQ(arguments, read_arguments);
  EXPECT_EQ(12345, read_output.length);
  EXPECT_EQ(17, read_output.start);
  EXPECT_EQ(2049u, read_output.device);
  EXPECT_EQ(18446744073709551615ULL, read_output.inode);
  EXPECT_EQ(0x0123456789abcdefULL, read_output.checksum);
  RunState want = SampleRunState();
  EXPECT_EQ(want.pass, read.pass);
  EXPECT_EQ(want.tasks_done, read.tasks_done);
  EXPECT_EQ(want.pass_printed, read.pass_printed);
  EXPECT_EQ(want.complete, read.complete);
  EXPECT_EQ(want.tried, read.tried);
  EXPECT_EQ(want.unconnected, read.unconnected);
  EXPECT_EQ(want.duplicated, read.duplicated);
  EXPECT_EQ(want.found, read.found);
  EXPECT_EQ(want.found_per_codimension, read.found_per_codimension);
  EXPECT_EQ(want.printer_state, read.printer_state);
  EXPECT_EQ(want.labelled_found, read.labelled_found);
  EXPECT_EQ(want.labelled_per_codimension, read.labelled_per_codimension);
}

// Any changed, missing or added byte is refused, never read as another state.
TEST(CheckpointText, EveryDamageIsRefused) {
  for (long long length : {-1LL, 300LL}) {
    OutputRecord output{length, 10, 5, 77, 99};
    std::string text = CheckpointText::Format({"-P", "B", "5", "1"}, output, SampleRunState());
    std::vector<std::string> arguments;
    OutputRecord read_output;
    RunState state;
    for (size_t at = 0; at < text.size(); ++at) {
      std::string changed = text;
      changed[at] = static_cast<char>(changed[at] ^ 0x01);
      EXPECT_NE("", CheckpointText::Parse(changed, arguments, read_output, state)) << "byte " << at;
      EXPECT_NE("", CheckpointText::Parse(text.substr(0, at), arguments, read_output, state)) << "cut at " << at;
    }
    EXPECT_NE("", CheckpointText::Parse(text + "x", arguments, read_output, state));
    EXPECT_NE("", CheckpointText::Parse("", arguments, read_output, state));
  }
}
