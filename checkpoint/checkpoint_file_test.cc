// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "checkpoint/checkpoint_file.h"

#include <gtest/gtest.h>
#include <stdio.h>
#include <unistd.h>

#include <memory>
#include <string>
#include <vector>

#include "checkpoint/checkpoint_options.h"
#include "computer/boundary_computer.h"
#include "printers/binary_graph_printer.h"
#include "printers/latex_graph_printer.h"
#include "printers/text_graph_printer.h"

namespace {

RunState sample_state() {
  RunState state;
  state.pass = 4;
  state.tasks_done = 17;
  state.pass_printed = true;
  state.complete = true;
  state.tried = {0, 3, 5000000000, 7};
  state.unconnected = {0, 0, 1, 2};
  state.duplicated = {0, 0, 0, 9};
  state.found = {0, 3, 4, 5};
  state.found_per_codimension = {1, 2, 3};
  state.labelled_found = {"0", "12", "123456789012345678901234567890"};
  state.labelled_per_codimension = {"5", "0"};
  state.printer_state = "3 14";
  return state;
}

TEST(CheckpointFileTest, FormatParsesBack) {
  std::vector<std::string> arguments = {"-P", "L", "with space", "", "5"};
  OutputRecord output{12345, 17, 2049, 18446744073709551615ULL, 0x0123456789abcdefULL};
  std::string text = CheckpointFile::Format(arguments, output, sample_state());
  std::vector<std::string> read_arguments;
  OutputRecord read_output;
  RunState read;
  ASSERT_EQ("", CheckpointFile::Parse(text, read_arguments, read_output, read));
  EXPECT_EQ(arguments, read_arguments);
  EXPECT_EQ(12345, read_output.length);
  EXPECT_EQ(17, read_output.start);
  EXPECT_EQ(2049u, read_output.device);
  EXPECT_EQ(18446744073709551615ULL, read_output.inode);
  EXPECT_EQ(0x0123456789abcdefULL, read_output.checksum);
  RunState want = sample_state();
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
TEST(CheckpointFileTest, EveryDamageIsRefused) {
  for (long long length : {-1LL, 300LL}) {
    OutputRecord output{length, 10, 5, 77, 99};
    std::string text = CheckpointFile::Format({"-P", "B", "5", "1"}, output, sample_state());
    std::vector<std::string> arguments;
    OutputRecord read_output;
    RunState state;
    for (size_t at = 0; at < text.size(); ++at) {
      std::string changed = text;
      changed[at] = static_cast<char>(changed[at] ^ 0x01);
      EXPECT_NE("", CheckpointFile::Parse(changed, arguments, read_output, state)) << "byte " << at;
      EXPECT_NE("", CheckpointFile::Parse(text.substr(0, at), arguments, read_output, state)) << "cut at " << at;
    }
    EXPECT_NE("", CheckpointFile::Parse(text + "x", arguments, read_output, state));
    EXPECT_NE("", CheckpointFile::Parse("", arguments, read_output, state));
  }
}

TEST(CheckpointOptionsTest, TakesTheOptionsAnywhere) {
  char program[] = "stable-graphs", p[] = "-P", b[] = "B", cp[] = "--checkpoint", file[] = "run.cp",
       every[] = "--checkpoint-interval", seconds[] = "2.5", five[] = "5", output[] = "--output", out[] = "m.bin";
  std::vector<char*> args = {program, p, cp, file, b, every, seconds, five, output, out};
  CheckpointOptions options;
  EXPECT_EQ("", TakeCheckpointOptions(args, options));
  EXPECT_EQ((std::vector<char*>{program, p, b, five}), args);
  EXPECT_EQ("run.cp", options.path);
  EXPECT_EQ(2.5, options.interval_seconds);
  EXPECT_EQ("m.bin", options.output);

  char bad[] = "soon", empty[] = "";
  for (std::vector<char*> wrong : {std::vector<char*>{program, cp}, std::vector<char*>{program, every, bad},
                                   std::vector<char*>{program, cp, empty}, std::vector<char*>{program, output}}) {
    CheckpointOptions ignored;
    std::string problem = TakeCheckpointOptions(wrong, ignored);
    EXPECT_NE("", problem);
    EXPECT_EQ(std::string::npos, problem.find('\n'));
  }
}

/// Records every state, with the length the output had when it was taken.
class EveryState : public RunJournal {
 public:
  explicit EveryState(FILE* out) : out_(out) {}
  bool Due() override { return true; }
  void Record(const RunState& state) override {
    fflush(out_);
    states.push_back(state);
    lengths.push_back(ftell(out_));
  }
  std::vector<RunState> states;
  std::vector<long> lengths;

 private:
  FILE* out_;
};

std::unique_ptr<GraphPrinter> make_printer(char kind, FILE* out, int g, int n) {
  if (kind == 'L') return std::make_unique<LaTeXGraphPrinter>(out, g, n);
  if (kind == 'T') return std::make_unique<TextGraphPrinter>(out, g, n);
  return std::make_unique<BinaryGraphPrinter>(out, g, n);
}

std::string contents(FILE* file) {
  fflush(file);
  std::string text(static_cast<size_t>(ftell(file)), '\0');
  rewind(file);
  size_t read = fread(&text[0], 1, text.size(), file);
  text.resize(read);
  return text;
}

// A run resumed from any state it recorded, in a fresh enumerator and
// printer, writes exactly the rest of the uninterrupted run's output and
// ends with the same counters.
TEST(CheckpointResumeTest, EveryRecordedStateResumesToTheSameRun) {
  struct Case {
    int g, n, edge_filter;
    char printer;
  };
  for (const Case& c : {Case{3, 1, -1, 'L'}, Case{2, 3, -1, 'T'}, Case{4, 0, -1, 'B'}, Case{3, 2, 5, 'L'},
                        Case{0, 7, -1, 'B'}}) {
    FILE* whole = tmpfile();
    ASSERT_NE(nullptr, whole);
    EveryState journal(whole);
    BoundaryComputer computer(c.g, c.n);
    computer.journal = &journal;
    computer.print_batch = 7;  // many flushes within a pass
    std::unique_ptr<GraphPrinter> printer = make_printer(c.printer, whole, c.g, c.n);
    computer.Compute(*printer, StatisticsNone, c.edge_filter);
    std::string want = contents(whole);
    fclose(whole);
    ASSERT_GT(journal.states.size(), 3u);
    bool inside_a_pass = false;
    for (size_t k = 0; k < journal.states.size(); ++k) {
      inside_a_pass = inside_a_pass || journal.states[k].tasks_done > 0;
      FILE* rest = tmpfile();
      BoundaryComputer resumed(c.g, c.n);
      resumed.resume = &journal.states[k];
      std::unique_ptr<GraphPrinter> resumed_printer = make_printer(c.printer, rest, c.g, c.n);
      resumed.Compute(*resumed_printer, StatisticsNone, c.edge_filter);
      EXPECT_EQ(want.substr(static_cast<size_t>(journal.lengths[k])), contents(rest))
          << "(" << c.g << ", " << c.n << ") -P " << c.printer << " state " << k;
      fclose(rest);
      EXPECT_EQ(computer.tried, resumed.tried);
      EXPECT_EQ(computer.found, resumed.found);
      EXPECT_EQ(computer.duplicated, resumed.duplicated);
      EXPECT_EQ(computer.unconnected, resumed.unconnected);
      EXPECT_EQ(computer.found_per_codimension, resumed.found_per_codimension);
    }
    EXPECT_TRUE(inside_a_pass) << "states between tasks, not only between passes";
  }
}

TEST(CheckpointResumeTest, StateOfAnotherTypeIsRefused) {
  RunState state = sample_state();
  BoundaryComputer computer(2, 0);
  FILE* out = tmpfile();
  TextGraphPrinter printer(out, 2, 0);
  computer.resume = &state;
  EXPECT_THROW(computer.Compute(printer, StatisticsNone, -1), std::invalid_argument);
  fclose(out);
}

}  // namespace
