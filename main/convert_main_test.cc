// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
//
// Whole runs of stable-graphs-convert, side by side with stable-graphs.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "testing/scratch_directory.h"
#include "testing/test_process.h"
#include "testing/test_support.h"

namespace {

using Args = std::vector<std::string>;

/// A scratch directory for the streams of one test, removed afterwards.
class ConvertTest : public ScratchDirectoryTest {
 protected:
  /// The byte stream of stable-graphs for args, in a file; returns its path.
  std::string stream_of(const Args& args) {
    std::string path = dir + "/" + std::to_string(streams++) + ".bin";
    Args full = {"-P", "B", "-S", "N"};
    full.insert(full.end(), args.begin(), args.end());
    ProcessOptions to_file;
    to_file.stdout_path = path;
    EXPECT_EQ(0, RunStableGraphs(full, to_file).status);
    return path;
  }

  int streams = 0;
};

/// What stable-graphs writes on standard output for args, without statistics.
std::string tool_output(const Args& args) {
  Args full = {"-S", "N"};
  full.insert(full.end(), args.begin(), args.end());
  ProcessResult result = RunStableGraphs(full);
  EXPECT_EQ(0, result.status) << testing::PrintToString(args);
  return result.out;
}

/// A converter run that must succeed and say nothing on standard error.
std::string converted(const Args& args, const ProcessOptions& options = ProcessOptions()) {
  ProcessResult result = RunConverter(args, options);
  EXPECT_EQ(0, result.status) << testing::PrintToString(args) << "\n" << result.err;
  EXPECT_EQ("", result.err) << testing::PrintToString(args);
  return result.out;
}


int count(const std::string& text, const std::string& part) {
  int found = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++found;
  return found;
}

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

/// The stable types with 2g + n <= 8.
std::vector<std::pair<int, int>> small_types() {
  std::vector<std::pair<int, int>> types;
  for (int g = 0; 2 * g <= 8; ++g)
    for (int n = 0; 2 * g + n <= 8; ++n)
      if (2 * g - 3 + n >= 0) types.emplace_back(g, n);
  return types;
}

}  // namespace

TEST_F(ConvertTest, SameDocumentsAsStableGraphs) {
  for (auto [g, n] : small_types()) {
    Args type = {std::to_string(g), std::to_string(n)};
    SCOPED_TRACE("type " + testing::PrintToString(type));
    std::string stream = stream_of(type);
    for (std::string format : {"T", "L", "B", "J", "S", "D"}) {
      std::string expected = tool_output({"-P", format, type[0], type[1]});
      EXPECT_FALSE(expected.empty());
      EXPECT_EQ(expected, converted({"-P", format, stream})) << "-P " << format;
    }
  }
}

TEST_F(ConvertTest, SameDocumentsWithAnEdgeFilter) {
  const std::pair<int, int> types[] = {{0, 7}, {1, 4}, {2, 2}, {3, 0}, {4, 0}};
  for (auto [g, n] : types) {
    Args type = {std::to_string(g), std::to_string(n)};
    std::string whole = stream_of(type);
    for (int edges = 0; edges <= 3 * g - 3 + n + 1; ++edges) {
      std::string C = std::to_string(edges);
      SCOPED_TRACE("type " + testing::PrintToString(type) + " -C " + C);
      // The tool's filtered stream may hold no graph at all, so the type
      // comes along for the title.
      std::string filtered = stream_of({"-C", C, type[0], type[1]});
      for (std::string format : {"T", "L", "B", "J", "S", "D"}) {
        std::string expected = tool_output({"-P", format, "-C", C, type[0], type[1]});
        EXPECT_EQ(expected, converted({"-P", format, filtered, type[0], type[1]})) << "-P " << format;
        EXPECT_EQ(expected, converted({"-P", format, "-C", C, whole})) << "-P " << format;
      }
    }
  }
}

TEST_F(ConvertTest, OneLinePerGraphInEveryLineFormat) {
  std::string stream = stream_of({"2", "2"});
  int graphs = count(tool_output({"-P", "T", "2", "2"}), "Genus: ");
  ASSERT_GT(graphs, 10);
  std::string json = converted({"-P", "J", stream});
  EXPECT_EQ(graphs, count(json, "\n"));
  EXPECT_EQ(graphs, count(json, "{\"g\": 2, \"n\": 2, \"K\": "));
  std::string sage = converted({"-P", "S", stream});
  EXPECT_EQ(graphs, count(sage, "\n"));
  EXPECT_EQ(graphs, count(sage, "StableGraph(["));
  EXPECT_EQ(count(tool_output({"-P", "T", "-C", "3", "2", "2"}), "Genus: "),
            count(converted({"-P", "J", "-C", "3", stream}), "\"codimension\": 3"));
  EXPECT_EQ("", converted({"-P", "N", stream}));
}

TEST_F(ConvertTest, StandardInput) {
  std::string stream = stream_of({"1", "3"});
  ProcessOptions from_stream;
  from_stream.stdin_path = stream;
  std::string expected = converted({"-P", "J", stream});
  EXPECT_EQ(expected, converted({"-P", "J"}, from_stream));
  EXPECT_EQ(expected, converted({"-P", "J", "-"}, from_stream));
  EXPECT_EQ(tool_output({"-P", "T", "1", "3"}), converted({"-P", "T", "-", "1", "3"}, from_stream));
}

TEST_F(ConvertTest, EmptyStreamTakesTheTypeFromTheCommandLine) {
  std::string empty = stream_of({"-C", "9", "1", "1"});
  ASSERT_EQ(std::string(2, '\0'), ReadFile(empty));
  for (std::string format : {"T", "L"}) {
    ProcessResult result = RunConverter({"-P", format, empty});
    EXPECT_EQ(1, result.status) << format;
    EXPECT_EQ("", result.out) << format;
    EXPECT_TRUE(contains(result.err, "holds no graph")) << result.err;
    EXPECT_TRUE(contains(result.err, "genus [marked_points]")) << result.err;
    EXPECT_EQ(tool_output({"-P", format, "-C", "9", "1", "1"}), converted({"-P", format, empty, "1", "1"}));
  }
  EXPECT_EQ(std::string(2, '\0'), converted({"-P", "B", empty}));
  EXPECT_EQ("", converted({"-P", "J", empty}));
  EXPECT_EQ("", converted({"-P", "S", empty}));
}

TEST_F(ConvertTest, GivenTypeMustMatchTheGraphs) {
  std::string stream = stream_of({"1", "2"});
  ProcessResult result = RunConverter({"-P", "T", stream, "2", "1"});
  EXPECT_EQ(1, result.status);
  EXPECT_EQ("", result.out);
  EXPECT_TRUE(contains(result.err, "(1, 2)") && contains(result.err, "(2, 1)")) << result.err;
  EXPECT_EQ(converted({"-P", "T", stream}), converted({"-P", "T", stream, "1", "2"}));
}

// Graphs are converted as they are read: damage found before the first
// graph leaves standard output empty; damage further on leaves the graphs
// before it written and says that the output is incomplete.  Either way
// the status is 1 and the message one line.
TEST_F(ConvertTest, DamagedStreamsAreReported) {
  std::string stream = stream_of({"2", "1"});
  std::string whole = ReadFile(stream);
  ASSERT_GT(whole.size(), 10u);
  struct Damage {
    std::string bytes, message;
    bool before_first_graph;
  };
  const Damage damages[] = {
      {whole.substr(0, whole.size() - 3), "unexpected end of graph stream", false},
      {whole.substr(0, whole.size() - 1), "unexpected end of graph stream", false},
      {"", "header byte", true},
      {std::string("\x07") + whole.substr(1), "header byte is 7", true},
      {whole.substr(0, 1) + "\x2a", "41", true},
      {whole.substr(0, whole.size() - 1) + std::string("\x01\x00\x05\x00\x00", 5), "damaged graph stream", false},
  };
  int number = 0;
  for (const Damage& damage : damages) {
    std::string path = file_with("damaged" + std::to_string(number++), damage.bytes);
    for (std::string format : {"L", "T", "B", "J", "S", "N"}) {
      SCOPED_TRACE(damage.message + " -P " + format);
      ProcessResult result = RunConverter({"-P", format, path});
      EXPECT_EQ(1, result.status);
      EXPECT_EQ(0u, result.err.find("stable-graphs-convert: ")) << result.err;
      EXPECT_TRUE(contains(result.err, damage.message)) << result.err;
      EXPECT_EQ(1, count(result.err, "\n")) << result.err;
      if (damage.before_first_graph) {
        EXPECT_EQ("", result.out);
      } else {
        EXPECT_TRUE(contains(result.err, "incomplete")) << result.err;
        EXPECT_EQ(0u, converted({"-P", format, stream}).find(result.out)) << "a prefix of the whole conversion";
      }
    }
  }
  ProcessResult missing = RunConverter({"-P", "J", dir + "/missing.bin"});
  EXPECT_EQ(1, missing.status);
  EXPECT_TRUE(contains(missing.err, "cannot open graph stream")) << missing.err;
}

// The table of whole and damaged streams that the Python reader runs too:
// both readers must agree on what is damage and say the same.
TEST_F(ConvertTest, SharedStreamTable) {
  std::vector<StreamCase> cases = ReadStreamCases(STABLE_GRAPHS_SOURCE_DIR "/stream/stream_cases.txt");
  ASSERT_GE(cases.size(), 30u);
  int number = 0;
  for (const StreamCase& c : cases) {
    SCOPED_TRACE(c.line);
    ProcessResult result = RunConverter({"-P", "J", file_with("case" + std::to_string(number++), c.bytes)});
    if (c.graphs >= 0) {
      EXPECT_EQ(0, result.status);
      EXPECT_EQ("", result.err);
      EXPECT_EQ(c.graphs, count(result.out, "\n"));
    } else {
      ASSERT_FALSE(c.error.empty());
      EXPECT_EQ(1, result.status);
      EXPECT_EQ(0u, result.err.find("stable-graphs-convert: ")) << result.err;
      EXPECT_TRUE(contains(result.err, c.error)) << result.err;
      EXPECT_EQ(1, count(result.err, "\n")) << result.err;
    }
  }
}

// Bytes after the end marker are never ignored, whatever they are.
TEST_F(ConvertTest, NothingMayFollowTheEndMarker) {
  const std::string trailing = "bytes follow the end marker";
  std::string c1 = ReadFile(stream_of({"-C", "1", "0", "5"}));
  std::string c2 = ReadFile(stream_of({"-C", "2", "0", "5"}));
  std::string whole = ReadFile(stream_of({"1", "2"}));
  // The second record's K byte (after the header and a 4-byte record of
  // one component) set to 0 makes an early end marker.
  std::string early_end = whole;
  ASSERT_EQ(1, early_end[5]);
  early_end[5] = 0;
  const std::string streams[] = {c1 + c2, whole + "xyz", early_end, std::string(1 << 20, '\0')};
  for (const std::string& bytes : streams) {
    ProcessResult result = RunConverter({"-P", "J", file_with("trailing", bytes)});
    EXPECT_EQ(1, result.status);
    EXPECT_TRUE(contains(result.err, trailing)) << result.err;
  }
  ProcessOptions zeros;
  zeros.stdin_path = "/dev/zero";
  ProcessResult endless = RunConverter({"-P", "J"}, zeros);
  EXPECT_EQ(1, endless.status);
  EXPECT_TRUE(contains(endless.err, trailing)) << endless.err;
}

// A stream that cannot be read is reported as such, not as a short stream.
TEST_F(ConvertTest, ReadErrorsAreNotTheEndOfTheStream) {
  ProcessResult directory = RunConverter({"-P", "J", dir});
  EXPECT_EQ(1, directory.status);
  EXPECT_EQ("stable-graphs-convert: cannot open graph stream " + dir + ": Is a directory\n", directory.err);

  ProcessResult empty_path = RunConverter({"-P", "J", ""});
  EXPECT_EQ(1, empty_path.status);
  EXPECT_EQ("stable-graphs-convert: cannot open graph stream : No such file or directory\n", empty_path.err);

  // Standard input opened on a directory: a read error (EISDIR).
  ProcessOptions from_directory;
  from_directory.stdin_path = dir;
  ProcessResult unreadable = RunConverter({"-P", "J"}, from_directory);
  EXPECT_EQ(1, unreadable.status);
  EXPECT_TRUE(contains(unreadable.err, "error reading graph stream while reading the header byte: Is a directory"))
      << unreadable.err;

  ProcessOptions closed;
  closed.close_stdin = true;
  ProcessResult no_input = RunConverter({"-P", "J"}, closed);
  EXPECT_EQ(1, no_input.status);
  EXPECT_TRUE(contains(no_input.err, "error reading graph stream while reading the header byte: Bad file descriptor"))
      << no_input.err;
}

// Output is checked pass by pass: once it is lost, the conversion stops
// there and never reaches the damage at the end of this stream.
TEST_F(ConvertTest, StopsAtTheFirstLostOutput) {
  std::string damaged_at_end = file_with("tail", ReadFile(stream_of({"2", "1"})) + "x");
  ProcessOptions full;
  full.stdout_path = "/dev/full";
  for (std::string format : {"L", "T", "B", "J", "S"}) {
    ProcessResult result = RunConverter({"-P", format, damaged_at_end}, full);
    EXPECT_EQ(2, result.status) << format;
    EXPECT_EQ("stable-graphs-convert: error writing standard output: No space left on device\n", result.err);
  }
}

TEST_F(ConvertTest, LostOutputIsReported) {
  std::string stream = stream_of({"2", "0"});
  ProcessOptions full;
  full.stdout_path = "/dev/full";
  for (std::string format : {"L", "T", "B", "J", "S"}) {
    ProcessResult result = RunConverter({"-P", format, stream}, full);
    EXPECT_EQ(2, result.status) << format;
    EXPECT_TRUE(contains(result.err, "error writing standard output")) << result.err;
  }
  ProcessOptions closed;
  closed.close_stdout = true;
  EXPECT_EQ(2, RunConverter({"-P", "J", stream}, closed).status);
}

TEST_F(ConvertTest, BadCommandLineShowsAReasonAndTheUsage) {
  for (const Args& args : {Args{"-P", "X"}, Args{"-C"}, Args{"s.bin", "1", "2", "3"}, Args{"-S", "N"}, Args{"-Q"}}) {
    ProcessResult result = RunConverter(args);
    EXPECT_EQ(1, result.status) << testing::PrintToString(args);
    EXPECT_EQ("", result.out);
    size_t line_end = result.err.find('\n');
    EXPECT_EQ(0u, result.err.find("stable-graphs-convert: ")) << result.err;
    EXPECT_EQ(line_end + 1, result.err.find("Usage:\n\tstable-graphs-convert [-P L|T|B|J|S|N]")) << result.err;
  }
  EXPECT_EQ(0u, RunConverter({"-P", "X"}).err.find("stable-graphs-convert: option -P takes L, T, B, J, S, D, C, H or N, not 'X'\n"));
  EXPECT_EQ(0u, RunConverter({"-P", "\n"}).err.find("stable-graphs-convert: option -P takes L, T, B, J, S, D, C, H or N, not '?'\n"))
      << "one line whatever the argument holds";
}

// Started without a name, the converter still names itself.
TEST_F(ConvertTest, NamesItselfWithoutArgvZero) {
  std::string stream = stream_of({"0", "4"});
  ProcessResult bad = RunProcess(STABLE_GRAPHS_CONVERT_BINARY, {"", "-P", "X"});
  EXPECT_EQ(0u, bad.err.find("stable-graphs-convert: option -P takes")) << bad.err;
  EXPECT_TRUE(contains(bad.err, "Usage:\n\tstable-graphs-convert [-P")) << bad.err;
  ProcessResult damaged = RunProcess(STABLE_GRAPHS_CONVERT_BINARY, {"", file_with("cut", std::string(1, '\0'))});
  EXPECT_EQ(0u, damaged.err.find("stable-graphs-convert: unexpected end")) << damaged.err;
}

// A type given for an empty stream is one stable-graphs would run: the
// converter writes what the tool writes or refuses.
TEST_F(ConvertTest, GivenTypeIsOneTheToolRuns) {
  std::string empty = file_with("empty.bin", std::string(2, '\0'));
  struct Case {
    Args type;
    std::string message;
  };
  for (const Case& c : {
           Case{{"1", "0"}, "type (1, 0) has no stable graphs: 2 * genus + marked_points must be at least 3, "
                            "and stable-graphs writes no stream for it"},
           Case{{"0", "2"}, "type (0, 2) has no stable graphs"},
           Case{{"12", "0"}, "type (12, 0) is beyond the capacity: its graphs need up to 33 coloured vertices"},
           Case{{"0", "40"}, "type (0, 40) is beyond the capacity: its graphs need up to 38 coloured vertices"},
           Case{{"99999999999"}, "the genus 99999999999 is beyond the range the tools read (at most 2147483647)"},
           Case{{"15", "0"}, "type (15, 0) is beyond the capacity"},
       }) {
    for (std::string format : {"T", "L", "J"}) {
      Args args = {"-P", format, empty};
      args.insert(args.end(), c.type.begin(), c.type.end());
      ProcessResult result = RunConverter(args);
      EXPECT_EQ(1, result.status) << testing::PrintToString(args);
      EXPECT_EQ("", result.out) << testing::PrintToString(args);
      EXPECT_EQ(0u, result.err.find("stable-graphs-convert: " + c.message)) << result.err;
      EXPECT_EQ(1, count(result.err, "\n")) << result.err;
    }
  }
}

// Both tools read -C the same way.
TEST_F(ConvertTest, EdgeFilterReadAsTheToolReadsIt) {
  std::string whole = stream_of({"2", "1"});
  for (std::string C : {"0", "2", "1", "+1", "007"}) {
    EXPECT_EQ(tool_output({"-P", "T", "-C", C, "2", "1"}), converted({"-P", "T", "-C", C, whole})) << C;
  }
  for (std::string C : {"x", "2x", " 1", ""}) {
    ProcessResult tool = RunStableGraphs({"-P", "T", "-C", C, "2", "1"});
    ProcessResult converter = RunConverter({"-P", "T", "-C", C, whole});
    EXPECT_EQ(1, tool.status) << C;
    EXPECT_EQ(1, converter.status) << C;
    std::string reason = "option -C takes a number of edges, not '" + C + "'\nUsage:";
    EXPECT_EQ(0u, tool.err.find("stable-graphs: " + reason)) << tool.err;
    EXPECT_EQ(0u, converter.err.find("stable-graphs-convert: " + reason)) << converter.err;
  }
  ProcessResult negative = RunConverter({"-C", "-1", whole});
  EXPECT_EQ(1, negative.status);
  EXPECT_EQ(0u, negative.err.find("stable-graphs-convert: option -C takes a number of edges, which must not be "
                                  "negative (got '-1')\nUsage:"))
      << negative.err;
}

TEST_F(ConvertTest, ExampleProgramPrintsOneLinePerGraph) {
  std::string stream = stream_of({"0", "4"});
  ProcessResult result = RunProcess(ExampleBinary(), {"print_graphs", stream});
  EXPECT_EQ(0, result.status) << result.err;
  EXPECT_EQ(
      "K=1 g=0 n=4 genus=[0] marked_points=[4] loops=[0] edges=[]\n"
      "K=2 g=0 n=4 genus=[0 0] marked_points=[2 2] loops=[0 0] edges=[0-1:1]\n",
      result.out);
  std::string larger = stream_of({"3", "1"});
  EXPECT_EQ(count(converted({"-P", "J", larger}), "\n"),
            count(RunProcess(ExampleBinary(), {"print_graphs", larger}).out, "\n"));
  ProcessResult damaged = RunProcess(ExampleBinary(), {"print_graphs", file_with("cut", std::string(1, '\0'))});
  EXPECT_EQ(1, damaged.status);
  EXPECT_TRUE(contains(damaged.err, "unexpected end")) << damaged.err;
}
