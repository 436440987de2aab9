// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "graph/type_capacity.h"

#include <gtest/gtest.h>
#include <limits.h>

#include <algorithm>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "computer/boundary_computer.h"
#include "graph/graph.h"

namespace {

TEST(CapacityTest, AcceptsEveryTypeUpToTheLimits) {
  for (auto [g, n] : std::vector<std::pair<int, int>>{{0, 0}, {0, 4}, {2, 0}, {3, 1}, {8, 0}, {8, 9}, {9, 0}, {10, 0},
                                                      {11, 0}, {11, 1}, {10, 4}, {9, 7}, {0, 34}, {1, 31}, {5, 19}})
    EXPECT_EQ("", CapacityProblem(g, n)) << "(" << g << ", " << n << ")";
}

TEST(CapacityTest, RejectsWithOneLine) {
  for (auto [g, n] : std::vector<std::pair<int, int>>{{12, 0}, {11, 2}, {10, 5}, {0, 35}, {1, 32}, {5, 20}, {-1, 4},
                                                      {2, -1}, {-5, -5}, {0, INT_MAX}, {INT_MAX, 0}, {INT_MAX, INT_MAX}}) {
    std::string problem = CapacityProblem(g, n);
    EXPECT_FALSE(problem.empty()) << "(" << g << ", " << n << ")";
    EXPECT_EQ(std::string::npos, problem.find('\n')) << problem;
  }
}

// The accepted region, counted over every small type on both sides of it.
TEST(CapacityTest, AcceptsExactlyTheTypesWhoseColouredGraphsFit) {
  int accepted = 0;
  for (int g = 0; g <= 14; ++g)
    for (int n = 0; n <= 40; ++n) accepted += CapacityProblem(g, n).empty() ? 1 : 0;
  // Genus 0 takes 0 .. 34 points, genus g <= 10 takes 0 .. 34 - 3g, genus
  // 11 takes 0 and 1.
  EXPECT_EQ(35 + 32 + 29 + 26 + 23 + 20 + 17 + 14 + 11 + 8 + 5 + 2, accepted);
}

TEST(CapacityTest, NamesTheLimit) {
  EXPECT_NE(std::string::npos, CapacityProblem(12, 0).find("33 coloured vertices")) << CapacityProblem(12, 0);
  EXPECT_NE(std::string::npos, CapacityProblem(11, 2).find("at most 32")) << CapacityProblem(11, 2);
  EXPECT_NE(std::string::npos, CapacityProblem(0, 35).find("(0, 35)")) << CapacityProblem(0, 35);
  EXPECT_NE(std::string::npos, CapacityProblem(-2, 0).find("negative")) << CapacityProblem(-2, 0);
  EXPECT_NE(std::string::npos, CapacityProblem(1, -3).find("negative")) << CapacityProblem(1, -3);
}

/// Keeps the most coloured vertices among the graphs of each codimension.
class ColoredVerticesByEdgesPrinter : public GraphPrinter {
 public:
  void BeginPrint() override {}
  void EndPrint() override {}
  void PrintSomeGraph(const GraphsByCodimension& graphs) override {
    for (auto& entry : graphs) {
      for (const Graph* graph : entry.second) {
        int colored = graph->K;
        for (int i = 0; i < graph->K; ++i)
          for (int j = i + 1; j < graph->K; ++j) colored += graph->adjacency[i][j] >= 2 ? 1 : 0;
        int& most = largest[entry.first];
        most = std::max(most, colored);
      }
    }
  }
  std::map<int, int> largest;
};

// The bound is the exact maximum over the graphs the enumerator finds, for
// every stable type small enough to enumerate here.
TEST(MaxColoredVerticesTest, IsReachedAndNeverExceeded) {
  for (int g = 0; g <= 4; ++g) {
    for (int n = 0; 3 * g + n <= 13; ++n) {
      if (2 * g - 2 + n <= 0) continue;
      BoundaryComputer computer(g, n);
      ColoredVerticesByEdgesPrinter printer;
      computer.Compute(printer, StatisticsNone);
      int largest = 0;
      for (auto [edges, most] : printer.largest) largest = std::max(largest, most);
      EXPECT_EQ(MaxColoredVertices(g, n), largest) << "(" << g << ", " << n << ")";
    }
  }
}

// With exactly E edges a graph has at most E + 1 coloured vertices; the
// bound for the filter is never exceeded, and the top codimension, whose
// graphs include those of the most coloured vertices, reaches it.
TEST(MaxColoredVerticesTest, WithAnEdgeFilterIsNeverExceeded) {
  for (int g = 0; g <= 3; ++g) {
    for (int n = 0; 3 * g + n <= 10; ++n) {
      if (2 * g - 2 + n <= 0) continue;
      BoundaryComputer computer(g, n);
      ColoredVerticesByEdgesPrinter printer;
      computer.Compute(printer, StatisticsNone);
      ASSERT_EQ(static_cast<size_t>(3 * g - 2 + n), printer.largest.size()) << "(" << g << ", " << n << ")";
      for (auto [edges, most] : printer.largest) {
        EXPECT_LE(most, MaxColoredVertices(g, n, edges)) << "(" << g << ", " << n << ") with " << edges;
        EXPECT_LE(most, edges + 1);
      }
      int top = 3 * g - 3 + n;
      EXPECT_EQ(MaxColoredVertices(g, n), MaxColoredVertices(g, n, top));
      EXPECT_EQ(MaxColoredVertices(g, n, top), printer.largest[top]) << "(" << g << ", " << n << ")";
    }
  }
  EXPECT_EQ(MaxColoredVertices(12, 0), MaxColoredVertices(12, 0, std::nullopt));
}

TEST(TypeFitsCapacityTest, AnEdgeFilterWidensTheRegion) {
  // Genus 12 needs 33 coloured vertices, but not with 31 edges or fewer.
  EXPECT_FALSE(TypeFitsCapacity(12, 0));
  EXPECT_TRUE(TypeFitsCapacity(12, 0, 0));
  EXPECT_TRUE(TypeFitsCapacity(12, 0, 1));
  EXPECT_TRUE(TypeFitsCapacity(12, 0, 31));
  EXPECT_FALSE(TypeFitsCapacity(12, 0, 32));
  EXPECT_TRUE(TypeFitsCapacity(11, 2, 31));
  EXPECT_FALSE(TypeFitsCapacity(11, 2, 32));
  // The filter never lets more through than the type's own bound does.
  EXPECT_TRUE(TypeFitsCapacity(11, 0, 1000));
  EXPECT_TRUE(TypeFitsCapacity(0, 34, 1000));
  // The records' fields bound genus and points whatever the filter.
  EXPECT_TRUE(TypeFitsCapacity(14, 64, 0));
  EXPECT_FALSE(TypeFitsCapacity(15, 0, 0));
  EXPECT_FALSE(TypeFitsCapacity(0, 65, 0));
  EXPECT_FALSE(TypeFitsCapacity(-1, 3, 0));
  // Exact in 64 bits for any int arguments.
  EXPECT_EQ(3LL * INT_MAX - 3, MaxColoredVertices(INT_MAX, 0, std::nullopt));
  EXPECT_EQ(1, MaxColoredVertices(INT_MAX, INT_MAX, 0));
  EXPECT_FALSE(TypeFitsCapacity(INT_MAX, 0, 0));
  std::string problem = CapacityProblem(INT_MAX, INT_MAX, INT_MAX);
  EXPECT_NE(std::string::npos, problem.find("(2147483647, 2147483647)")) << problem;
  EXPECT_NE(std::string::npos, problem.find("of 2147483647 edges need up to 2147483648 coloured vertices")) << problem;
}

TEST(TypeFitsCapacityTest, EdgesOfTheAcceptedRegion) {
  EXPECT_TRUE(TypeFitsCapacity(11, 0));
  EXPECT_TRUE(TypeFitsCapacity(11, 1));
  EXPECT_FALSE(TypeFitsCapacity(11, 2));
  EXPECT_FALSE(TypeFitsCapacity(12, 0));
  EXPECT_TRUE(TypeFitsCapacity(10, 4));
  EXPECT_FALSE(TypeFitsCapacity(10, 5));
  EXPECT_TRUE(TypeFitsCapacity(0, 34));
  EXPECT_FALSE(TypeFitsCapacity(0, 35));
  EXPECT_FALSE(TypeFitsCapacity(-1, 3));
  EXPECT_FALSE(TypeFitsCapacity(0, -1));
  EXPECT_LE(kMaxGenus + 1, kMultiplicitySlots - 1) << "the histogram holds multiplicity g + 1";
}

// A stable graph of type (g, n) has at most 2g - 2 + n components, and one
// of E edges at most E + 1; within the capacity, with or without an edge
// filter, that is never more than the masks of the search hold, and
// (0, 34) reaches it.
TEST(MaxSearchComponentsTest, HoldsTheComponentsOfEveryTypeWithinTheCapacity) {
  int largest = 0;
  for (int g = 0; g <= kMaxGenus + 1; ++g)
    for (int n = 0; n <= kMaxMarkedPoints + 1; ++n) {
      if (TypeFitsCapacity(g, n)) largest = std::max(largest, 2 * g - 2 + n);
      for (int edges = 0; edges <= 3 * g + n; ++edges)
        if (TypeFitsCapacity(g, n, edges)) largest = std::max(largest, std::min(2 * g - 2 + n, edges + 1));
    }
  EXPECT_EQ(kMaxSearchComponents, largest);
  EXPECT_EQ(kMaxSearchComponents, 2 * 0 - 2 + 34);
}

}  // namespace
