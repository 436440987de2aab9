// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
//
// Whole runs of both tools with -E: the Euler characteristic check.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>
#include <vector>

#include "euler/euler_term.h"
#include "testing/scratch_directory.h"
#include "testing/test_process.h"
#include "testing/test_support.h"

namespace {

using Args = std::vector<std::string>;

const char kBanner[] = "Compilation flags: R=27 USE_NAUTY \n";

// Worked out by hand from the closed forms: (0, 4) has the one-vertex graph,
// chi(M_{0,4}) / 4! = -1/24, and the graph of two vertices with two points
// each, 1 / 8; (1, 1) has the smooth curve, chi(M_{1,1}) = -1/12, and the
// vertex with a loop, chi(M_{0,3}) / 2 = 1/2.
const char kCheckZeroFour[] =
    "Euler characteristic check of (0, 4): sums of prod chi(M_{g_v,k_v}) / |Aut| over the graphs found\n"
    "codimension 0: found -1/24, predicted -1/24, agree\n"
    "codimension 1: found 1/8, predicted 1/8, agree\n"
    "total: found 1/12, predicted 1/12, agree\n";
// (0, 5) with labelled points: chi(M_{0,5}) = 2; ten divisors, each
// chi(M_{0,4}) chi(M_{0,3}) = -1; fifteen points; chi(M-bar_{0,5}) = 7.
const char kCheckZeroFiveLabelled[] =
    "Euler characteristic check of (0, 5): sums of prod chi(M_{g_v,k_v}) / |Aut| over the labelled graphs found\n"
    "codimension 0: found 2/1, predicted 2/1, agree\n"
    "codimension 1: found -10/1, predicted -10/1, agree\n"
    "codimension 2: found 15/1, predicted 15/1, agree\n"
    "total: found 7/1, predicted 7/1, agree\n";
const char kCheckOneOne[] =
    "Euler characteristic check of (1, 1): sums of prod chi(M_{g_v,k_v}) / |Aut| over the graphs found\n"
    "codimension 0: found -1/12, predicted -1/12, agree\n"
    "codimension 1: found 1/2, predicted 1/2, agree\n"
    "total: found 5/12, predicted 5/12, agree\n";

/// The last line of text, without its line end.
std::string last_line(std::string text) {
  if (!text.empty() && text.back() == '\n') text.pop_back();
  size_t end_of_previous = text.rfind('\n');
  return end_of_previous == std::string::npos ? text : text.substr(end_of_previous + 1);
}

Args with(Args args, const Args& more) {
  args.insert(args.end(), more.begin(), more.end());
  return args;
}

/// One record of a byte stream: K, then the bytes after it.
struct Record {
  std::vector<int> bytes;  // K, genera, marked points, loops, pairs
  int K() const { return bytes[0]; }
};

/// The records of a stream; those of a labelled stream of n points end in
/// their n labels.
std::vector<Record> records_of(const std::string& stream, int labels = 0) {
  std::vector<Record> records;
  size_t at = 1;  // after the header
  while (at < stream.size() && stream[at] != 0) {
    int K = static_cast<unsigned char>(stream[at]);
    size_t length = 1 + 3 * K + K * (K - 1) / 2 + static_cast<size_t>(labels);
    Record record;
    for (size_t i = 0; i < length; ++i) record.bytes.push_back(static_cast<unsigned char>(stream[at + i]));
    records.push_back(record);
    at += length;
  }
  return records;
}

std::string stream_of(const std::vector<Record>& records, char header = '\0') {
  std::string bytes(1, header);
  for (const Record& record : records)
    for (int byte : record.bytes) bytes.push_back(static_cast<char>(byte));
  bytes.push_back('\0');
  return bytes;
}

Graph graph_of(const Record& record) {
  int K = record.K();
  std::vector<int> genus(record.bytes.begin() + 1, record.bytes.begin() + 1 + K);
  std::vector<int> marks(record.bytes.begin() + 1 + K, record.bytes.begin() + 1 + 2 * K);
  std::vector<int> loops(record.bytes.begin() + 1 + 2 * K, record.bytes.begin() + 1 + 3 * K);
  std::vector<int> pairs(record.bytes.begin() + 1 + 3 * K, record.bytes.end());
  return MakeGraph(genus, marks, loops, pairs);
}

/// Whether a record describes a stable connected graph.
bool stable_and_connected(const Record& record) {
  Graph graph = graph_of(record);
  for (int v = 0; v < graph.K; ++v)
    if (2 * graph.genus[v] - 2 + Valence(graph, v) <= 0) return false;
  std::vector<bool> seen(graph.K, false);
  std::vector<int> todo = {0};
  seen[0] = true;
  while (!todo.empty()) {
    int v = todo.back();
    todo.pop_back();
    for (int w = 0; w < graph.K; ++w) {
      if (seen[w] || graph.adjacency[v][w] == 0) continue;
      seen[w] = true;
      todo.push_back(w);
    }
  }
  for (bool reached : seen)
    if (!reached) return false;
  return true;
}

/// The first record that can give one of its edges (a loop or one of a
/// multiple edge) to another place, staying a stable connected graph of
/// the same type and codimension with another Euler term: the index, and
/// the record moved.
bool move_an_edge(const std::vector<Record>& records, size_t& index, Record& moved) {
  for (index = 0; index < records.size(); ++index) {
    const Record& record = records[index];
    int K = record.K();
    if (K < 2) continue;
    // Places of edges: the loops (1 + 2K + v), then the pairs.
    std::vector<size_t> places;
    for (int v = 0; v < K; ++v) places.push_back(1 + 2 * K + v);
    for (int p = 0; p < K * (K - 1) / 2; ++p) places.push_back(1 + 3 * K + p);
    mpq_class term = EulerTerm(graph_of(record));
    for (size_t from : places) {
      if (record.bytes[from] == 0) continue;
      for (size_t to : places) {
        if (to == from) continue;
        moved = record;
        --moved.bytes[from];
        ++moved.bytes[to];
        if (stable_and_connected(moved) && EulerTerm(graph_of(moved)) != term) return true;
      }
    }
  }
  return false;
}

class EulerOptionTest : public ScratchDirectoryTest {
 protected:
  /// With -E the converter writes each format as without it, ends with
  /// status 0 and writes `check` on standard error.
  static void ExpectConverterAgrees(const std::string& stream, std::initializer_list<const char*> formats,
                                    const std::string& check) {
    for (const char* format : formats) {
      ProcessResult plain = RunConverter({"-P", format, stream});
      ProcessResult checked = RunConverter({"-E", "-P", format, stream});
      EXPECT_EQ(0, checked.status) << format << checked.err;
      EXPECT_EQ(plain.out, checked.out) << format;
      EXPECT_EQ(check, checked.err) << format;
    }
  }
};

}  // namespace

TEST(EulerOption, ToolAddsTheCheckAfterTheReportInEveryMode) {
  for (const char* mode : {"F", "T", "N"}) {
    for (const char* printer : {"T", "B", "N"}) {
      Args args = {"-P", printer, "-S", mode, "0", "4"};
      ProcessResult plain = RunStableGraphs(args);
      ProcessResult checked = RunStableGraphs(with({"-E"}, args));
      EXPECT_EQ(0, checked.status) << mode << printer << checked.err;
      EXPECT_EQ(plain.out, checked.out) << "the graphs themselves do not change";
      EXPECT_EQ(plain.err + kCheckZeroFour, checked.err) << mode << printer;
    }
  }
  ProcessResult one_one = RunStableGraphs({"-P", "N", "-S", "N", "1", "1", "-E"});
  EXPECT_EQ(std::string(kBanner) + kCheckOneOne, one_one.err);
}

TEST(EulerOption, ToolWithAnEdgeFilterChecksThatCodimension) {
  ProcessResult result = RunStableGraphs({"-P", "N", "-S", "N", "-E", "-C", "1", "0", "4"});
  EXPECT_EQ(0, result.status);
  EXPECT_EQ(std::string(kBanner) +
                "Euler characteristic check of (0, 4): sums of prod chi(M_{g_v,k_v}) / |Aut| over the graphs found\n"
                "codimension 1: found 1/8, predicted 1/8, agree\n"
                "total: found 1/8, predicted 1/8, agree\n",
            result.err);
}

TEST(EulerOption, ToolAgreesOnLargerTypes) {
  for (const Args& type : {Args{"3", "2"}, Args{"0", "10"}, Args{"5", "0"}, Args{"2", "5"}}) {
    ProcessResult result = RunStableGraphs(with({"-P", "N", "-S", "T", "-E"}, type));
    EXPECT_EQ(0, result.status) << testing::PrintToString(type) << result.err;
    std::string total = last_line(result.err);
    EXPECT_EQ(0u, total.rfind("total: found ", 0)) << total;
    EXPECT_EQ(", agree", total.substr(total.size() - 7)) << total;
    EXPECT_EQ(std::string::npos, result.err.find("disagree")) << result.err;
  }
}

TEST(EulerOption, ToolChecksAnUnstableTypeAsEmpty) {
  ProcessResult result = RunStableGraphs({"-P", "N", "-S", "N", "-E", "0", "2"});
  EXPECT_EQ(0, result.status);
  EXPECT_EQ("total: found 0/1, predicted 0/1, agree", last_line(result.err));
}

TEST_F(EulerOptionTest, ConverterAgreesOnAnIntactStreamInEveryFormat) {
  ProcessOptions to_file;
  to_file.stdout_path = dir + "/m04.bin";
  ASSERT_EQ(0, RunStableGraphs({"-P", "B", "-S", "N", "0", "4"}, to_file).status);
  ExpectConverterAgrees(to_file.stdout_path, {"L", "T", "B", "J", "S", "N"}, kCheckZeroFour);
  ProcessResult filtered = RunConverter({"-E", "-P", "N", "-C", "0", to_file.stdout_path});
  EXPECT_EQ("total: found -1/24, predicted -1/24, agree", last_line(filtered.err));
}

TEST_F(EulerOptionTest, DamagedStreamsDisagree) {
  ProcessOptions to_file;
  to_file.stdout_path = dir + "/m32.bin";
  ASSERT_EQ(0, RunStableGraphs({"-P", "B", "-S", "N", "3", "2"}, to_file).status);
  std::vector<Record> records = records_of(ReadFile(to_file.stdout_path));
  ASSERT_GT(records.size(), 100u);
  ProcessResult intact = RunConverter({"-P", "N", "-E", to_file.stdout_path});
  ASSERT_EQ(0, intact.status) << intact.err;

  std::vector<Record> removed = records;
  removed.erase(removed.begin() + 57);
  std::vector<Record> twice = records;
  twice.insert(twice.begin() + 80, records[80]);
  std::vector<Record> edge_moved = records;
  size_t index;
  Record moved;
  ASSERT_TRUE(move_an_edge(records, index, moved));
  edge_moved[index] = moved;

  // A graph written twice or changed is no longer the tool's stream, which
  // the reader refuses; a graph left out only the Euler check sees.
  struct Case {
    const char* what;
    std::vector<Record> records;
    int status;
  };
  for (const Case& c : {Case{"one graph removed", removed, 4}, Case{"one graph twice", twice, 1},
                        Case{"one edge moved", edge_moved, 1}}) {
    std::string path = file_with("damaged.bin", stream_of(c.records));
    for (const char* format : {"N", "J"}) {
      ProcessResult result = RunConverter({"-P", format, "-E", path});
      EXPECT_EQ(c.status, result.status) << c.what << "\n" << result.err;
      std::string total = last_line(result.err);
      if (c.status == 4)
        EXPECT_EQ(", disagree", total.substr(total.size() - 10)) << c.what << ": " << total;
      else
        EXPECT_NE(std::string::npos, total.find("damaged graph stream: graph")) << c.what << ": " << total;
    }
  }
}

TEST_F(EulerOptionTest, ConverterChecksAnEmptyStreamAgainstTheGivenType) {
  std::string empty = file_with("empty.bin", std::string(2, '\0'));
  ProcessResult untyped = RunConverter({"-P", "N", "-E", empty});
  EXPECT_EQ(1, untyped.status);
  EXPECT_NE(std::string::npos, untyped.err.find("give genus [marked_points] after the stream")) << untyped.err;
  ProcessResult typed = RunConverter({"-P", "N", "-E", empty, "0", "4"});
  EXPECT_EQ(4, typed.status);
  EXPECT_EQ("total: found 0/1, predicted 1/12, disagree", last_line(typed.err));
}

TEST(EulerOption, LabelledRunsCheckTheLabelledGraphsInEveryMode) {
  // Listed in every format, or counted (-P N): the same sums.
  for (const char* mode : {"F", "T", "N"}) {
    for (const char* printer : {"T", "B", "J", "S", "N"}) {
      Args args = {"-L", "-P", printer, "-S", mode, "0", "5"};
      ProcessResult plain = RunStableGraphs(args);
      ProcessResult checked = RunStableGraphs(with({"-E"}, args));
      EXPECT_EQ(0, checked.status) << mode << printer << checked.err;
      EXPECT_EQ(plain.out, checked.out) << "the graphs themselves do not change";
      EXPECT_EQ(plain.err + kCheckZeroFiveLabelled, checked.err) << mode << printer;
    }
  }
  ProcessResult filtered = RunStableGraphs({"-L", "-P", "T", "-S", "N", "-E", "-C", "1", "0", "5"});
  EXPECT_EQ(0, filtered.status);
  EXPECT_EQ(std::string(kBanner) +
                "Euler characteristic check of (0, 5): sums of prod chi(M_{g_v,k_v}) / |Aut| over the labelled "
                "graphs found\n"
                "codimension 1: found -10/1, predicted -10/1, agree\n"
                "total: found -10/1, predicted -10/1, agree\n",
            filtered.err);
}

TEST(EulerOption, LabelledListingAndCountingAgreeOnLargerTypes) {
  // Listed and counted, the check's lines are the same, and n! times those
  // of the unlabelled check.
  for (const Args& type : {Args{"2", "3"}, Args{"1", "5"}, Args{"0", "8"}, Args{"4", "0"}}) {
    ProcessResult counted = RunStableGraphs(with({"-L", "-P", "N", "-S", "N", "-E"}, type));
    ProcessResult listed = RunStableGraphs(with({"-L", "-P", "B", "-S", "N", "-E"}, type));
    EXPECT_EQ(0, counted.status) << testing::PrintToString(type) << counted.err;
    EXPECT_EQ(0, listed.status) << testing::PrintToString(type) << listed.err;
    EXPECT_EQ(counted.err, listed.err);
    EXPECT_EQ(std::string::npos, counted.err.find("disagree")) << counted.err;
    EXPECT_NE(std::string::npos, counted.err.find("over the labelled graphs found\n")) << counted.err;
  }
}

TEST_F(EulerOptionTest, ConverterChecksALabelledStream) {
  ProcessOptions to_file;
  to_file.stdout_path = dir + "/m05.bin";
  ASSERT_EQ(0, RunStableGraphs({"-L", "-P", "B", "-S", "N", "0", "5"}, to_file).status);
  ExpectConverterAgrees(to_file.stdout_path, {"L", "T", "B", "J", "S", "D", "N"}, kCheckZeroFiveLabelled);
  ProcessResult filtered = RunConverter({"-E", "-P", "N", "-C", "2", to_file.stdout_path});
  EXPECT_EQ("total: found 15/1, predicted 15/1, agree", last_line(filtered.err));
  // A labelled stream without graphs, checked against its given type.
  ProcessOptions empty;
  empty.stdout_path = dir + "/empty.bin";
  ASSERT_EQ(0, RunStableGraphs({"-L", "-P", "B", "-S", "N", "-C", "7", "0", "5"}, empty).status);
  ProcessResult typed = RunConverter({"-P", "N", "-E", empty.stdout_path, "0", "5"});
  EXPECT_EQ(4, typed.status);
  EXPECT_EQ("total: found 0/1, predicted 7/1, disagree", last_line(typed.err));
}

TEST_F(EulerOptionTest, DamagedLabelledStreamsDisagree) {
  // (0, 6) has two graphs with two components, one labelled graph after
  // another in the stream.
  ProcessOptions to_file;
  to_file.stdout_path = dir + "/m06.bin";
  ASSERT_EQ(0, RunStableGraphs({"-L", "-P", "B", "-S", "N", "0", "6"}, to_file).status);
  std::vector<Record> records = records_of(ReadFile(to_file.stdout_path), 6);
  ASSERT_EQ(236u, records.size());
  ProcessResult intact = RunConverter({"-P", "N", "-E", to_file.stdout_path});
  ASSERT_EQ(0, intact.status) << intact.err;

  size_t first_two = 0, last_two = 0;
  for (size_t i = 0; i < records.size(); ++i) {
    if (records[i].K() != 2) continue;
    if (first_two == 0) first_two = i;
    last_two = i;
  }
  auto graph_bytes = [](const Record& record) {
    return std::vector<int>(record.bytes.begin(), record.bytes.end() - 6);
  };
  ASSERT_NE(graph_bytes(records[first_two]), graph_bytes(records[last_two])) << "two graphs with two components";
  std::vector<Record> removed = records;
  removed.erase(removed.begin() + 100);
  std::vector<Record> twice = records;
  twice.insert(twice.begin() + static_cast<long>(last_two) + 1, records[first_two]);

  struct Case {
    const char* what;
    std::vector<Record> records;
  };
  for (const Case& c : {Case{"one labelled graph removed", removed}}) {
    std::string path = file_with("damaged.bin", stream_of(c.records, '\1'));
    ProcessResult read = RunConverter({"-P", "N", path});
    EXPECT_EQ(0, read.status) << c.what << ": the reader alone takes it\n" << read.err;
    for (const char* format : {"N", "S"}) {
      ProcessResult result = RunConverter({"-P", format, "-E", path});
      EXPECT_EQ(4, result.status) << c.what << "\n" << result.err;
      std::string total = last_line(result.err);
      EXPECT_EQ(", disagree", total.substr(total.size() - 10)) << c.what << ": " << total;
    }
  }
  // A labelled graph of the first graph again after those of the second
  // comes out of the tool's order, which the reader refuses.
  ProcessResult read = RunConverter({"-P", "N", file_with("twice.bin", stream_of(twice, '\1'))});
  EXPECT_EQ(1, read.status);
  EXPECT_NE(std::string::npos, read.err.find("comes before the graph before it in the tool's order")) << read.err;
}
