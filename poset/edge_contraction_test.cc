// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "poset/edge_contraction.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testing/test_support.h"

namespace {

/// genus/points/loops per vertex, then the pairs row by row, then the
/// vertex of each label.
std::string text(const Graph& graph) {
  std::string out;
  for (int v = 0; v < graph.K; ++v)
    out += std::to_string(graph.genus[v]) + "/" + std::to_string(graph.marked_points[v]) + "/" +
           std::to_string(graph.loops[v]) + " ";
  out += "|";
  for (int i = 0; i < graph.K; ++i)
    for (int j = i + 1; j < graph.K; ++j) out += " " + std::to_string(graph.adjacency[i][j]);
  if (graph.labelled) {
    out += " | labels";
    for (int l = 0; l < graph.n; ++l) out += " " + std::to_string(graph.vertex_of_label[l]);
  }
  out += " | g=" + std::to_string(graph.g) + " n=" + std::to_string(graph.n) +
         " c=" + std::to_string(graph.codimension);
  return out;
}

Graph contract(const Graph& graph, int u, int v) {
  Graph contracted(-1, -1, -1);
  ContractEdge(graph, u, v, contracted);
  EXPECT_EQ(contracted.adjacency[0][0], contracted.loops[0]);
  return contracted;
}

TEST(ContractEdge, ALoopRaisesTheGenus) {
  Graph graph = MakeGraph({0, 1}, {1, 0}, {2, 0}, {1});
  EXPECT_EQ("1/1/1 1/0/0 | 1 | g=3 n=1 c=2", text(contract(graph, 0, 0)));
}

TEST(ContractEdge, TheOtherParallelEdgesBecomeLoops) {
  Graph theta = MakeGraph({0, 0}, {0, 0}, {0, 0}, {3});
  EXPECT_EQ("0/0/2 | | g=2 n=0 c=2", text(contract(theta, 0, 1)));
  EXPECT_EQ("0/0/2 | | g=2 n=0 c=2", text(contract(theta, 1, 0)));
}

// Vertex 0 carries label 1, vertex 2 labels 2 and 3.
TEST(ContractEdge, MergingAddsGeneraPointsLabelsAndEdges) {
  Graph graph = MakeGraph({0, 1, 0}, {1, 0, 2}, {0, 0, 1}, {1, 2, 1});
  graph.labelled = true;
  const int8_t vertices[] = {0, 2, 2};
  std::copy(vertices, vertices + 3, graph.vertex_of_label);
  ASSERT_EQ("0/1/0 1/0/0 0/2/1 | 1 2 1 | labels 0 2 2 | g=4 n=3 c=5", text(graph));
  EXPECT_EQ("0/3/2 1/0/0 | 2 | labels 0 0 0 | g=4 n=3 c=4", text(contract(graph, 0, 2)));
  EXPECT_EQ("0/1/0 1/2/1 | 3 | labels 0 1 1 | g=4 n=3 c=4", text(contract(graph, 2, 1)));
  EXPECT_EQ("1/1/0 0/2/1 | 3 | labels 0 1 1 | g=4 n=3 c=4", text(contract(graph, 0, 1)));
  EXPECT_EQ("0/1/0 1/0/0 1/2/0 | 1 2 1 | labels 0 2 2 | g=4 n=3 c=4", text(contract(graph, 2, 2)));
}

}  // namespace
