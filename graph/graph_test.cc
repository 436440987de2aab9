// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "graph/graph.h"

#include <gtest/gtest.h>
#include <string.h>

#include <vector>

namespace {

/// A record of three components whose arrays are full of junk beyond their
/// prefixes and whose prefixes hold distinct values.
Graph filled_record() {
  Graph graph(7, 9, 3);
  memset(graph.genus, 5, sizeof(graph.genus));
  memset(graph.marked_points, 6, sizeof(graph.marked_points));
  memset(graph.loops, 7, sizeof(graph.loops));
  memset(graph.adjacency, 9, sizeof(graph.adjacency));
  memset(graph.vertex_of_label, 3, sizeof(graph.vertex_of_label));
  for (int v = 0; v < 3; ++v) {
    graph.genus[v] = static_cast<int8_t>(v);
    graph.marked_points[v] = static_cast<int8_t>(10 + v);
    graph.SetLoops(v, 20 + v);
    for (int u = 0; u < 3; ++u)
      if (u != v) graph.adjacency[u][v] = static_cast<int8_t>(40 + 3 * u + v);
  }
  graph.codimension = 13;
  return graph;
}

}  // namespace

TEST(GraphCopy, CopiesTheMeaningfulPrefixes) {
  Graph original = filled_record();
  Graph copy(original);
  EXPECT_EQ(7, copy.g);
  EXPECT_EQ(9, copy.n);
  EXPECT_EQ(3, copy.K);
  EXPECT_EQ(13, copy.codimension);
  EXPECT_EQ(0, memcmp(original.genus, copy.genus, 3));
  EXPECT_EQ(0, memcmp(original.marked_points, copy.marked_points, 3));
  EXPECT_EQ(0, memcmp(original.loops, copy.loops, 3));
  for (int row = 0; row < 3; ++row) EXPECT_EQ(0, memcmp(original.adjacency[row], copy.adjacency[row], 3)) << row;
  EXPECT_TRUE(copy.SameDescription(original));
  EXPECT_FALSE(copy.labelled);
}

TEST(GraphCopy, LabelsTravelWithALabelledGraph) {
  Graph original = filled_record();
  original.labelled = true;
  for (int l = 0; l < 9; ++l) original.vertex_of_label[l] = static_cast<int8_t>(l % 3);
  Graph copy(0, 0, 0);
  copy = original;
  EXPECT_TRUE(copy.labelled);
  EXPECT_EQ(0, memcmp(original.vertex_of_label, copy.vertex_of_label, 9));
  EXPECT_EQ((std::vector<int>{2, 5, 8}), copy.LabelsAt(1));
  EXPECT_EQ((std::vector<int>{}), copy.LabelsAt(5));
}

TEST(GraphDescription, SameDescriptionLooksAtEveryPrefix) {
  Graph a = filled_record();
  EXPECT_TRUE(a.SameDescription(a));
  Graph b = a;
  b.adjacency[2][1] = 0;  // only the lower triangle: not part of the description
  EXPECT_TRUE(a.SameDescription(b));
  b.adjacency[1][2] = 0;
  EXPECT_FALSE(a.SameDescription(b));
  Graph c = a;
  c.loops[2] = 0;
  EXPECT_FALSE(a.SameDescription(c));
  Graph d = a;
  d.K = 2;
  EXPECT_FALSE(a.SameDescription(d));
}

TEST(GraphDescription, SetLoopsKeepsTheDiagonalInStep) {
  Graph graph(3, 0, 2);
  graph.SetLoops(1, 2);
  graph.SetLoops(0, 1);
  EXPECT_EQ(1, graph.loops[0]);
  EXPECT_EQ(2, graph.loops[1]);
  EXPECT_EQ(1, graph.adjacency[0][0]);
  EXPECT_EQ(2, graph.adjacency[1][1]);
  EXPECT_EQ(0, graph.adjacency[0][1]);
  graph.SetLoops(1, 0);
  EXPECT_EQ(0, graph.adjacency[1][1]);
}
