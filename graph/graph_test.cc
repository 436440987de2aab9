// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "graph/graph.h"

#include <gtest/gtest.h>
#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

#include "graph/binary_stream_error.h"
#include "main/test_support.h"

namespace {

/// Reads one record from the bytes; `next` receives the byte after it.
Graph read_record(const std::vector<int>& bytes, int* next = nullptr) {
  FILE* f = StreamOfBytes(bytes);
  Graph graph(f);
  if (next != nullptr) *next = fgetc(f);
  fclose(f);
  return graph;
}

/// A record with every byte of its description and bookkeeping set to junk.
Graph dirty_record() {
  Graph graph(7, 9, 3);
  memset(graph.genus, 5, sizeof(graph.genus));
  memset(graph.marked_points, 6, sizeof(graph.marked_points));
  memset(graph.loops, 7, sizeof(graph.loops));
  memset(graph.valence, 8, sizeof(graph.valence));
  memset(graph.adjacency, 9, sizeof(graph.adjacency));
  memset(graph.multiplicity_count, 4, sizeof(graph.multiplicity_count));
  graph.partial_genus = graph.partial_marked_points = graph.joined_pairs = 11;
  graph.genus_zero_count = graph.valence_cap2_sum = graph.valence_cap3_sum = 12;
  graph.min_valence_cap2 = graph.codimension = 13;
  graph.distinct_mask = 0xF0F0u;
  graph.nautyK = 3;
  graph.nautyM = 1;
  return graph;
}

}  // namespace

TEST(GraphClear, StartsTheGeneratorAndKeepsTheRest) {
  for (int K : {1, 5}) {
    SCOPED_TRACE("K = " + std::to_string(K));
    Graph graph = dirty_record();
    graph.nautyCanon[0] = 0xABCDu;
    graph.Clear(static_cast<int8_t>(K));
    EXPECT_EQ(K, graph.K);
    EXPECT_EQ(1 - K, graph.partial_genus);
    EXPECT_EQ(2, graph.min_valence_cap2);
    EXPECT_EQ(1u, graph.distinct_mask);
    const int8_t zeros[] = {graph.partial_marked_points, graph.joined_pairs,     graph.genus_zero_count,
                            graph.valence_cap2_sum,      graph.valence_cap3_sum, graph.codimension};
    for (int8_t value : zeros) EXPECT_EQ(0, value);
    for (int v = 0; v < K; ++v)
      EXPECT_TRUE(graph.genus[v] == 0 && graph.marked_points[v] == 0 && graph.loops[v] == 0 &&
                  graph.valence[v] == 0)
          << "vertex " << v;
    // The whole matrix, also outside the first K rows and columns.
    for (int u = 0; u < kMaxComponents; ++u)
      for (int v = 0; v < kMaxComponents; ++v) ASSERT_EQ(0, graph.adjacency[u][v]) << u << ", " << v;
    // Totals, histogram and cache are left alone.
    EXPECT_EQ(7, graph.g);
    EXPECT_EQ(9, graph.n);
    for (int m = 0; m < kMultiplicitySlots; ++m) EXPECT_EQ(4, graph.multiplicity_count[m]);
    EXPECT_EQ(3, graph.nautyK);
    EXPECT_EQ(1, graph.nautyM);
    EXPECT_EQ(0xABCDu, graph.nautyCanon[0]);
  }
}

TEST(GraphCopy, CopiesTheMeaningfulPrefixes) {
  Graph original = dirty_record();  // K = 3, g = 7: histogram entries 0 .. 8
  for (int v = 0; v < 3; ++v) {
    original.genus[v] = static_cast<int8_t>(v);
    original.marked_points[v] = static_cast<int8_t>(10 + v);
    original.loops[v] = original.adjacency[v][v] = static_cast<int8_t>(20 + v);
    original.valence[v] = static_cast<int8_t>(30 + v);
    for (int u = 0; u < 3; ++u)
      if (u != v) original.adjacency[u][v] = static_cast<int8_t>(40 + 3 * u + v);
  }
  for (int m = 0; m < 9; ++m) original.multiplicity_count[m] = static_cast<int8_t>(m);
  int8_t* scalars[] = {&original.partial_genus,    &original.partial_marked_points, &original.joined_pairs,
                       &original.genus_zero_count, &original.valence_cap2_sum,      &original.valence_cap3_sum,
                       &original.min_valence_cap2, &original.codimension};
  for (int i = 0; i < 8; ++i) *scalars[i] = static_cast<int8_t>(i - 1);
  for (int w = 0; w < kCanonWords; ++w) original.nautyCanon[w] = 0x01010101u * w;

  Graph copy(original);
  EXPECT_EQ(7, copy.g);
  EXPECT_EQ(9, copy.n);
  EXPECT_EQ(3, copy.K);
  const int8_t copied[] = {copy.partial_genus,    copy.partial_marked_points, copy.joined_pairs,
                           copy.genus_zero_count, copy.valence_cap2_sum,      copy.valence_cap3_sum,
                           copy.min_valence_cap2, copy.codimension};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(i - 1, copied[i]) << "scalar " << i;
  EXPECT_EQ(0, memcmp(original.genus, copy.genus, 3));
  EXPECT_EQ(0, memcmp(original.marked_points, copy.marked_points, 3));
  EXPECT_EQ(0, memcmp(original.loops, copy.loops, 3));
  EXPECT_EQ(0, memcmp(original.valence, copy.valence, 3));
  for (int row = 0; row < 3; ++row) EXPECT_EQ(0, memcmp(original.adjacency[row], copy.adjacency[row], 3)) << row;
  EXPECT_EQ(0, memcmp(original.multiplicity_count, copy.multiplicity_count, 9));
  EXPECT_EQ(0xF0F0u, copy.distinct_mask);
  EXPECT_EQ(3, copy.nautyK);
  EXPECT_EQ(1, copy.nautyM);
  EXPECT_EQ(0, memcmp(original.nautyCanon, copy.nautyCanon, sizeof(copy.nautyCanon)));
}

TEST(GraphCopy, CarriesTheCanonicalFormAlong) {
  // Two components of genus 0 with two marked points each, one edge.
  Graph original(0, 4, 2);
  original.Clear(2);
  original.marked_points[0] = original.marked_points[1] = 2;
  original.adjacency[0][1] = original.adjacency[1][0] = 1;
  original.ComputeDreadnaut();
  ASSERT_EQ(2, original.nautyK);

  Graph copy(original);
  EXPECT_EQ(original.nautyK, copy.nautyK);
  EXPECT_EQ(original.nautyM, copy.nautyM);
  EXPECT_EQ(0, memcmp(original.nautyCanon, copy.nautyCanon, sizeof(copy.nautyCanon)));

  // The copy's description changes behind its cache: the comparison still
  // uses the cached form, so nothing was recomputed.
  copy.adjacency[0][1] = copy.adjacency[1][0] = 2;
  EXPECT_TRUE(original.Equal(copy));
  EXPECT_EQ(2, copy.nautyK);
  Graph recomputed(copy);
  recomputed.nautyK = -1;
  EXPECT_FALSE(original.Equal(recomputed));
  EXPECT_EQ(3, recomputed.nautyK);
}

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
  EXPECT_EQ(-1, graph.nautyK);
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
  EXPECT_EQ(-1, graph.nautyK);
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
      Graph graph(f);
      ADD_FAILURE() << "no error after " << c.bytes.size() << " bytes";
    } catch (const BinaryStreamError& e) {
      EXPECT_NE(std::string::npos, std::string(e.what()).find(c.field)) << e.what();
    }
    fclose(f);
  }
}
