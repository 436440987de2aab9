// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
//
// Whole runs of both tools with -E: the Euler characteristic check.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "euler/euler_term.h"
#include "main/scratch_directory.h"
#include "main/test_process.h"
#include "main/test_support.h"

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

std::vector<Record> records_of(const std::string& stream) {
  std::vector<Record> records;
  size_t at = 1;  // after the header
  while (at < stream.size() && stream[at] != 0) {
    int K = static_cast<unsigned char>(stream[at]);
    size_t length = 1 + 3 * K + K * (K - 1) / 2;
    Record record;
    for (size_t i = 0; i < length; ++i) record.bytes.push_back(static_cast<unsigned char>(stream[at + i]));
    records.push_back(record);
    at += length;
  }
  return records;
}

std::string stream_of(const std::vector<Record>& records) {
  std::string bytes(1, '\0');
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

class EulerOptionTest : public ScratchDirectoryTest {};

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
  for (const char* format : {"L", "T", "B", "J", "S", "N"}) {
    ProcessResult plain = RunConverter({"-P", format, to_file.stdout_path});
    ProcessResult checked = RunConverter({"-E", "-P", format, to_file.stdout_path});
    EXPECT_EQ(0, checked.status) << format << checked.err;
    EXPECT_EQ(plain.out, checked.out) << format;
    EXPECT_EQ(kCheckZeroFour, checked.err) << format;
  }
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

  struct Case {
    const char* what;
    std::vector<Record> records;
  };
  for (const Case& c : {Case{"one graph removed", removed}, Case{"one graph twice", twice},
                        Case{"one edge moved", edge_moved}}) {
    std::string path = file_with("damaged.bin", stream_of(c.records));
    for (const char* format : {"N", "J"}) {
      ProcessResult result = RunConverter({"-P", format, "-E", path});
      EXPECT_EQ(4, result.status) << c.what << "\n" << result.err;
      std::string total = last_line(result.err);
      EXPECT_EQ(", disagree", total.substr(total.size() - 10)) << c.what << ": " << total;
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
