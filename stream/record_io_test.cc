// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "stream/record_io.h"

#include <gtest/gtest.h>
#include <stdio.h>

#include <string>
#include <vector>

#include "stream/stream_error.h"
#include "testing/test_support.h"

namespace {

/// Reads one record from the bytes; `next` receives the byte after it.
Graph read_record(const std::vector<int>& bytes, int* next = nullptr) {
  FILE* f = StreamOfBytes(bytes);
  Graph graph(0, 0, 0);
  ReadRecord(f, &graph);
  if (next != nullptr) *next = fgetc(f);
  fclose(f);
  return graph;
}

}  // namespace

TEST(GraphFromStream, OneComponentWithALoop) {
  int next = 0;
  Graph graph = read_record({1, 2, 0, 1, 0x55}, &next);
  EXPECT_EQ(1, graph.K);
  EXPECT_EQ(3, graph.g);
  EXPECT_EQ(0, graph.n);
  EXPECT_EQ(2, graph.genus[0]);
  EXPECT_EQ(0, graph.marked_points[0]);
  EXPECT_EQ(1, graph.loops[0]);
  EXPECT_EQ(1, graph.adjacency[0][0]);
  EXPECT_EQ(0x55, next) << "the record is four bytes long";
}

TEST(GraphFromStream, TwoComponentsWithATripleEdge) {
  Graph graph = read_record({2, 0, 0, 1, 2, 0, 0, 3});
  EXPECT_EQ(2, graph.K);
  EXPECT_EQ(2, graph.g);
  EXPECT_EQ(3, graph.n);
  EXPECT_EQ(1, graph.marked_points[0]);
  EXPECT_EQ(2, graph.marked_points[1]);
  EXPECT_EQ(3, graph.adjacency[0][1]);
  EXPECT_EQ(3, graph.adjacency[1][0]);
  EXPECT_EQ(0, graph.adjacency[0][0]);
  EXPECT_EQ(0, graph.adjacency[1][1]);
}

TEST(GraphFromStream, PairsComeRowByRow) {
  int next = 0;
  Graph graph = read_record({3, 0, 0, 1, 1, 1, 1, 0, 2, 0, 1, 2, 3, 0x77}, &next);
  EXPECT_EQ(3, graph.K);
  EXPECT_EQ(1, graph.adjacency[0][1]);
  EXPECT_EQ(2, graph.adjacency[0][2]);
  EXPECT_EQ(3, graph.adjacency[1][2]);
  EXPECT_EQ(2, graph.adjacency[2][0]);
  EXPECT_EQ(3, graph.adjacency[2][1]);
  EXPECT_EQ(2, graph.loops[1]);
  EXPECT_EQ(2, graph.adjacency[1][1]);
  EXPECT_EQ(0, graph.adjacency[2][2]);
  EXPECT_EQ(1 - 3 + 1 + 2 + 6, graph.g);
  EXPECT_EQ(3, graph.n);
  EXPECT_EQ(0x77, next) << "the record is thirteen bytes long";
}

TEST(GraphFromStream, BytesAreSigned) {
  Graph graph = read_record({1, 0xFF, 0xFE, 0});
  EXPECT_EQ(-1, graph.genus[0]);
  EXPECT_EQ(-2, graph.marked_points[0]);
  EXPECT_EQ(-1, graph.g);
  EXPECT_EQ(-2, graph.n);
}

TEST(GraphFromStream, EndMarkerReadsOneByte) {
  int next = 0;
  Graph graph = read_record({0, 0x42}, &next);
  EXPECT_EQ(0, graph.K);
  EXPECT_EQ(0x42, next);
}

TEST(GraphFromStream, ShortReadNamesTheField) {
  struct Case {
    std::vector<int> bytes;
    const char* field;
  };
  const Case cases[] = {
      {{}, "components"},
      {{2, 0}, "genus"},
      {{2, 0, 0, 1}, "marked-point"},
      {{2, 0, 0, 1, 2, 0}, "loop"},
      {{3, 0, 0, 0, 1, 1, 1, 0, 0, 0, 1, 1}, "multiplicity"},
  };
  for (const Case& c : cases) {
    FILE* f = StreamOfBytes(c.bytes);
    try {
      Graph graph(0, 0, 0);
      ReadRecord(f, &graph);
      ADD_FAILURE() << "no error after " << c.bytes.size() << " bytes";
    } catch (const BinaryStreamError& e) {
      EXPECT_NE(std::string::npos, std::string(e.what()).find(c.field)) << e.what();
    }
    fclose(f);
  }
}
