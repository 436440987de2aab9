// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "printers/checked_printer.h"

#include <gtest/gtest.h>
#include <stdio.h>

#include <string>
#include <vector>

#include "printers/json_graph_printer.h"
#include "printers/output_error.h"
#include "testing/test_support.h"

namespace {

/// Records the calls it receives, and writes a line for each.
class RecordingPrinter : public GraphPrinter {
 public:
  explicit RecordingPrinter(FILE* file) : file(file) {}
  void BeginPrint() override { record("begin"); }
  void PrintSomeGraph(const GraphsByCodimension& graphs) override { record("pass of " + std::to_string(graphs.size())); }
  void EndPrint() override { record("end"); }

  FILE* file;
  std::vector<std::string> calls;

 private:
  void record(const std::string& call) {
    calls.push_back(call);
    fprintf(file, "%s\n", call.c_str());
  }
};

TEST(CheckedPrinter, PassesEveryCallOnAndFlushes) {
  FILE* out = tmpfile();
  ASSERT_NE(nullptr, out);
  RecordingPrinter inner(out);
  CheckedPrinter checked(inner);
  checked.Watch(out, "the test stream");
  GraphsByCodimension graphs;
  graphs[1];
  checked.BeginPrint();
  checked.PrintSomeGraph(graphs);
  checked.EndPrint();
  EXPECT_EQ((std::vector<std::string>{"begin", "pass of 1", "end"}), inner.calls);
  // Flushed after each call: the bytes are in the file, not in the buffer.
  EXPECT_EQ(static_cast<long>(sizeof("begin\npass of 1\nend\n") - 1), ftell(out));
  fclose(out);
}

TEST(CheckedPrinter, FailedStreamStopsAtTheFirstCall) {
  FILE* full = fopen("/dev/full", "w");
  ASSERT_NE(nullptr, full);
  RecordingPrinter inner(full);
  CheckedPrinter checked(inner);
  checked.Watch(full, "the full device");
  try {
    checked.BeginPrint();
    ADD_FAILURE() << "no error";
  } catch (const OutputError& error) {
    EXPECT_EQ(std::string("error writing the full device: No space left on device"), error.what());
  }
  EXPECT_EQ((std::vector<std::string>{"begin"}), inner.calls);
  fclose(full);
}

TEST(CheckedPrinter, EarlierFailureIsSeenWhenNothingIsLeftToFlush) {
  FILE* healthy = tmpfile();
  FILE* read_only = fopen("/dev/null", "r");
  ASSERT_NE(nullptr, healthy);
  ASSERT_NE(nullptr, read_only);
  // A write to a stream opened for reading fails at once and sets the error
  // indicator, leaving nothing buffered.
  EXPECT_EQ(EOF, fputc('x', read_only));
  RecordingPrinter inner(healthy);
  CheckedPrinter checked(inner);
  checked.Watch(healthy, "the healthy stream");
  checked.Watch(read_only, "the read-only stream");
  try {
    checked.Check();
    ADD_FAILURE() << "no error";
  } catch (const OutputError& error) {
    EXPECT_EQ(std::string("error writing the read-only stream: an earlier write failed"), error.what());
  }
  fclose(read_only);
  fclose(healthy);
}

TEST(CheckedPrinter, NothingWatchedNothingChecked) {
  FILE* full = fopen("/dev/full", "w");
  ASSERT_NE(nullptr, full);
  RecordingPrinter inner(full);
  CheckedPrinter checked(inner);
  GraphsByCodimension graphs;
  EXPECT_NO_THROW(checked.BeginPrint());
  EXPECT_NO_THROW(checked.PrintSomeGraph(graphs));
  EXPECT_NO_THROW(checked.EndPrint());
  EXPECT_EQ(3u, inner.calls.size());
  fclose(full);
}

}  // namespace

// Given only the printer it wraps, the checked printer hands on that
// printer's state: a checkpoint of a JSON listing records the Ids so far.
TEST(CheckedPrinter, GivenOnlyAPrinterWithStateItCarriesThatState) {
  FILE* out = tmpfile();
  ASSERT_NE(nullptr, out);
  JsonGraphPrinter json(out);
  CheckedPrinter checked(json);
  Graph graph = MakeGraph({1}, {1}, {0}, {});
  GraphsByCodimension pass;
  pass[0].push_back(&graph);
  checked.BeginPrint();
  std::string before = checked.State();
  checked.PrintSomeGraph(pass);
  EXPECT_EQ(json.State(), checked.State());
  EXPECT_NE(before, checked.State()) << "the JSON printer's numbering moved on";
  fclose(out);
}
