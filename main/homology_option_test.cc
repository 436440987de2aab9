// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
//
// Whole runs of stable-graphs and stable-graphs-convert with --homology,
// --whole-complex and --homology-export.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "testing/scratch_directory.h"
#include "testing/test_process.h"

namespace {

using Args = std::vector<std::string>;

Args with(Args first, const Args& rest) {
  first.insert(first.end(), rest.begin(), rest.end());
  return first;
}

/// Standard error of a good run after its banner line: the homology.
std::string homology_of(const Args& args) {
  ProcessResult result = RunStableGraphs(with({"-S", "N", "--homology"}, args));
  EXPECT_EQ(0, result.status) << testing::PrintToString(args) << "\n" << result.err;
  return result.err.substr(result.err.find('\n') + 1);
}

/// The table lines of a homology report: those that start with a degree.
std::string tables(const std::string& report) {
  std::string lines, line;
  std::istringstream in(report);
  while (std::getline(in, line))
    if (line.find("homology of") != std::string::npos || line.rfind("k  dim", 0) == 0 ||
        (!line.empty() && (isdigit(static_cast<unsigned char>(line[0])) || line[0] == ' ' || line[0] == '-')))
      lines += line + "\n";
  return lines;
}

class HomologyOptionTest : public ScratchDirectoryTest {};

TEST_F(HomologyOptionTest, GenusThreeIsAFiveSphere) {
  EXPECT_EQ(
      "reduced rational homology of Delta_{3,0}/S_0, relative to the contractible subcomplex of the graphs with a "
      "loop, a vertex of positive genus or two marked points on a vertex:\n"
      "k  dim C_k  rank d_k  dim H_k\n"
      "5        1         0        1\n"
      "no cell in any other degree from 0 to 5\n"
      "ranks of d_k modulo the primes 4294967291 and 4294967279, equal in every degree\n"
      "Euler characteristic: -1 from the chains, -1 from the graphs: agree\n",
      homology_of({"-P", "N", "3", "0"}));
}

TEST_F(HomologyOptionTest, WholeComplexOfGenusZero) {
  // Delta_{0,5}/S_5: the tree with one edge (a point on one side, four on
  // the other, or two and three) and the trees with two edges.
  std::string report = homology_of({"-P", "N", "--whole-complex", "-L", "0", "5"});
  EXPECT_NE(std::string::npos, report.find("reduced rational homology of Delta_{0,5}, from every cell:\n"
                                           " k  dim C_k  rank d_k  dim H_k\n"
                                           "-1        1         0        0\n"
                                           " 0       10         1        0\n"
                                           " 1       15         9        6\n"))
      << report;
}

// The search without parallel edges (-P N) and the whole search (-P T,
// which prints every graph) give the same homology; so does the converter
// on the stream of either kind.
TEST_F(HomologyOptionTest, EverySourceOfGraphsGivesTheSameHomology) {
  for (const Args& type : {Args{"2", "3"}, Args{"4", "0"}, Args{"1", "4"}}) {
    std::string bounded = homology_of(with({"-P", "N", "-L"}, type));
    ProcessResult printing = RunStableGraphs(with({"-S", "N", "--homology", "-P", "T", "-L"}, type));
    ASSERT_EQ(0, printing.status) << printing.err;
    EXPECT_EQ(tables(bounded), tables(printing.err)) << testing::PrintToString(type);
    ProcessResult unlabelled = RunStableGraphs(with({"-S", "N", "-P", "B"}, type));
    ProcessResult labelled = RunStableGraphs(with({"-S", "N", "-P", "B", "-L"}, type));
    // The unlabelled stream gives the quotient, the labelled one both.
    const std::pair<std::string, std::string> streams[] = {
        {unlabelled.out, tables(homology_of(with({"-P", "N"}, type)))}, {labelled.out, tables(bounded)}};
    for (const auto& [stream, want] : streams) {
      ProcessResult converted = RunConverter({"-P", "N", "--homology", file_with("stream.bin", stream)});
      ASSERT_EQ(0, converted.status) << converted.err;
      EXPECT_EQ(want, tables(converted.err)) << testing::PrintToString(type);
    }
  }
}

TEST_F(HomologyOptionTest, RefusesWhatCannotGoWithIt) {
  std::string full = file_with("full", "x");
  struct Case {
    Args args;
    std::string message;
  };
  const Case cases[] = {
      {{"--homology", "-C", "2", "2", "2"}, "--homology needs every graph, so it cannot be combined with -C"},
      {{"--homology", "-M", "ct", "2", "2"},
       "--homology is that of the whole boundary complex, so it cannot be combined with -M ct"},
      {{"--homology", "--checkpoint", dir + "/cp", "2", "2"},
       "--homology keeps the cells in memory and cannot be resumed: drop --checkpoint"},
      {{"--whole-complex", "2", "2"}, "--whole-complex goes with --homology"},
      {{"--homology-export", dir + "/x", "2", "2"}, "--homology-export goes with --homology"},
      {{"--homology", "--homology-export", dir, "2", "2"}, "is not empty: give a new or empty directory"},
      {{"--homology", "--homology-export", full, "2", "2"}, "is not a directory"},
      {{"--homology", "--homology-export", dir + "/no/such", "2", "2"}, "is not a directory"},
  };
  for (const Case& c : cases) {
    ProcessResult result = RunStableGraphs(with({"-P", "N"}, c.args));
    EXPECT_EQ(1, result.status) << testing::PrintToString(c.args);
    EXPECT_NE(std::string::npos, result.err.find(c.message)) << result.err;
    EXPECT_EQ("", result.out);
  }
  EXPECT_FALSE(std::filesystem::exists(dir + "/cp"));
  EXPECT_FALSE(std::filesystem::exists(dir + "/x"));
}

/// The matrix of a MatrixMarket file: rows, columns and the entries.
struct Market {
  size_t rows = 0, columns = 0;
  std::map<std::pair<size_t, size_t>, long> entries;
};

Market read_market(const std::string& path) {
  std::ifstream in(path);
  std::string line;
  std::getline(in, line);
  EXPECT_EQ("%%MatrixMarket matrix coordinate integer general", line);
  while (in.peek() == '%') std::getline(in, line);
  Market market;
  size_t count = 0;
  in >> market.rows >> market.columns >> count;
  for (size_t i = 0; i < count; ++i) {
    size_t row, column;
    long value;
    in >> row >> column >> value;
    EXPECT_TRUE(row >= 1 && row <= market.rows && column >= 1 && column <= market.columns) << path;
    EXPECT_NE(0, value);
    market.entries[{row, column}] = value;
  }
  EXPECT_TRUE(in) << path;
  return market;
}

size_t line_count(const std::string& path) {
  std::ifstream in(path);
  size_t lines = 0;
  for (std::string line; std::getline(in, line);) ++lines;
  return lines;
}

// The export holds a basis per degree, as many Ids as the table's cells,
// and boundaries whose composites vanish: the numbers can be checked from
// the files alone.
TEST_F(HomologyOptionTest, ExportIsTheComplexOfTheTable) {
  std::string out = dir + "/complex";
  ProcessResult result = RunStableGraphs({"-P", "N", "-S", "N", "-L", "--homology", "--homology-export", out, "2", "3"});
  ASSERT_EQ(0, result.status) << result.err;
  for (const std::string prefix : {"quotient", "labelled"}) {
    ASSERT_TRUE(std::filesystem::exists(out + "/" + prefix + "-README.txt"));
    for (int k = 0; k <= 5; ++k) {
      std::string basis = out + "/" + prefix + "-basis-" + std::to_string(k) + ".txt";
      Market d = read_market(out + "/" + prefix + "-boundary-" + std::to_string(k) + ".mtx");
      EXPECT_EQ(line_count(basis), d.columns) << prefix << " " << k;
      if (k < 5) {
        Market above = read_market(out + "/" + prefix + "-boundary-" + std::to_string(k + 1) + ".mtx");
        EXPECT_EQ(d.columns, above.rows);
        std::map<std::pair<size_t, size_t>, long> composite;
        for (const auto& [place, value] : above.entries)
          for (const auto& [inner, lower] : d.entries)
            if (inner.second == place.first) composite[{inner.first, place.second}] += lower * value;
        for (const auto& [place, value] : composite) EXPECT_EQ(0, value) << prefix << " d_" << k << " d_" << k + 1;
      }
    }
  }
  // The table's dimensions are the bases' lengths.
  EXPECT_NE(std::string::npos, result.err.find("reduced rational homology of Delta_{2,3}, relative"));
}

// A stream without one of its graphs cannot give the homology: refused as
// input, before anything is computed, whichever graph is cut out (the
// contraction check and the Euler sums see every one).
TEST_F(HomologyOptionTest, ConverterRefusesAStreamWithAGraphMissing) {
  ProcessResult stream = RunStableGraphs({"-S", "N", "-P", "B", "2", "1"});
  ASSERT_EQ(0, stream.status);
  const std::string& bytes = stream.out;
  // Records of (2, 1): K, then per vertex genus, points, loops, then the
  // upper triangle of multiplicities; the stream opens with the header
  // byte and ends with a 0.
  std::vector<std::pair<size_t, size_t>> records;
  for (size_t at = 1; at < bytes.size() && bytes[at] != 0;) {
    size_t K = static_cast<unsigned char>(bytes[at]);
    size_t length = 1 + 3 * K + K * (K - 1) / 2;
    records.push_back({at, length});
    at += length;
  }
  ASSERT_GT(records.size(), 5u);
  for (const auto& [at, length] : records) {
    std::string cut = bytes.substr(0, at) + bytes.substr(at + length);
    ProcessResult converted = RunConverter({"-P", "N", "--homology", file_with("cut.bin", cut)});
    EXPECT_EQ(1, converted.status) << "cut at " << at << ": " << converted.err;
    EXPECT_NE(std::string::npos, converted.err.find("--homology: the stream does not hold every stable graph of "
                                                    "type (2, 1)"))
        << converted.err;
    EXPECT_EQ(std::string::npos, converted.err.find("reduced rational homology")) << converted.err;
  }
  // A stream of one codimension is refused the same way.
  ProcessResult one = RunStableGraphs({"-S", "N", "-P", "B", "-C", "3", "2", "1"});
  ProcessResult converted = RunConverter({"-P", "N", "--homology", file_with("one.bin", one.out)});
  EXPECT_EQ(1, converted.status) << converted.err;
}

}  // namespace
