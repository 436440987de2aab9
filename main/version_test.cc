// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
//
// --help, -h and --version of both tools, run as processes.
#include "main/version.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "main/usage.h"
#include "testing/test_process.h"
#include "testing/test_support.h"

namespace {

using Args = std::vector<std::string>;

/// One of the two tools: how to run it, the usage text a mistake gets and
/// the help --help prints.
struct ToolUnderTest {
  const char* name;
  ProcessResult (*run)(const Args&, const ProcessOptions&);
  std::string usage;
  std::string help;
};

std::vector<ToolUnderTest> Tools() {
  std::vector<ToolUnderTest> tools = {{"stable-graphs", RunStableGraphs, "", ""},
                                      {"stable-graphs-convert", RunConverter, "", ""}};
  for (ToolUnderTest& tool : tools) {
    Tool which = tool.run == RunConverter ? Tool::kConvert : Tool::kEnumerate;
    tool.usage = CaptureOutput([&](FILE* file) { PrintUsage(file, which, tool.name); });
    tool.help = CaptureOutput([&](FILE* file) { PrintHelp(file, which, tool.name); });
  }
  EXPECT_EQ(UsageText("stable-graphs"), tools[0].usage);
  return tools;
}

TEST(VersionTest, IsThreeNumbers) {
  std::string version = StableGraphsVersion();
  int dots = 0;
  for (size_t i = 0; i < version.size(); ++i) {
    bool starts_part = i == 0 || version[i - 1] == '.';
    if (version[i] == '.' && !starts_part) ++dots;
    else EXPECT_TRUE(version[i] >= '0' && version[i] <= '9') << version;
  }
  EXPECT_EQ(2, dots) << version;
  EXPECT_NE('.', version.back()) << version;
}

// The answer goes to standard output with status 0 and replaces the run,
// whatever follows it; it is the complete help, longer than the usage a
// mistake gets.
TEST(HelpTest, WritesTheHelpOnStandardOutput) {
  for (const ToolUnderTest& tool : Tools()) {
    for (const Args& args : {Args{"--help"}, Args{"-h"}, Args{"--help", "x", "-Q"}, Args{"-C", "2", "-h"}}) {
      ProcessResult result = tool.run(args, ProcessOptions());
      EXPECT_EQ(0, result.status) << tool.name << testing::PrintToString(args);
      EXPECT_EQ(tool.help, result.out) << tool.name << testing::PrintToString(args);
      EXPECT_GT(tool.help.size(), tool.usage.size()) << tool.name;
      EXPECT_EQ("", result.err) << tool.name << testing::PrintToString(args);
    }
  }
}

TEST(HelpTest, VersionWritesNameNumberAndLicense) {
  for (const ToolUnderTest& tool : Tools()) {
    for (const Args& args : {Args{"--version"}, Args{"-P", "T", "--version", "--help"}}) {
      ProcessResult result = tool.run(args, ProcessOptions());
      EXPECT_EQ(0, result.status) << tool.name << testing::PrintToString(args);
      EXPECT_EQ(VersionText(tool.name), result.out) << tool.name;
      EXPECT_EQ("", result.err) << tool.name;
    }
  }
}

// Near misses and a mistake before the request stay mistakes: the line
// naming the unknown option and the usage on standard error, status 1,
// nothing on standard output.
TEST(HelpTest, NearMissesStayMistakes) {
  for (const ToolUnderTest& tool : Tools()) {
    for (const Args& args : {Args{"--hel"}, Args{"--helpx"}, Args{"-H"}, Args{"--Version"}, Args{"-version"},
                             Args{"-v"}, Args{"-Q", "x", "--help"}}) {
      ProcessResult result = tool.run(args, ProcessOptions());
      EXPECT_EQ(1, result.status) << tool.name << testing::PrintToString(args);
      EXPECT_EQ("", result.out) << tool.name << testing::PrintToString(args);
      EXPECT_EQ(std::string(tool.name) + ": unknown option '" + args[0] + "'\n" + tool.usage, result.err)
          << tool.name << testing::PrintToString(args);
    }
  }
}

// An answer that cannot be written is a failure, not a success.
TEST(HelpTest, LostAnswerIsAFailure) {
  ProcessOptions full_disk;
  full_disk.stdout_path = "/dev/full";
  for (const ToolUnderTest& tool : Tools()) {
    for (const Args& args : {Args{"--help"}, Args{"--version"}}) {
      ProcessResult result = tool.run(args, full_disk);
      EXPECT_EQ(2, result.status) << tool.name << testing::PrintToString(args);
      EXPECT_EQ(std::string(tool.name) + ": error writing standard output: No space left on device\n", result.err);
    }
  }
}

}  // namespace
