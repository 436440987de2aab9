// Copyright 2026 The stable-graphs Authors.
#include "graph/graph_capacity.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "computer/boundary_computer.h"
#include "graph/graph.h"

namespace {

/// Keeps the largest number of coloured vertices among the graphs it sees.
class ColoredVerticesPrinter : public GraphPrinter {
 public:
  void BeginPrint() override {}
  void EndPrint() override {}
  void PrintSomeGraph(GraphsByCodimension& graphs) override {
    for (auto& entry : graphs) {
      for (Graph* graph : entry.second) {
        int colored = graph->K;
        for (int i = 0; i < graph->K; ++i)
          for (int j = i + 1; j < graph->K; ++j) colored += graph->adjacency[i][j] >= 2 ? 1 : 0;
        largest = std::max(largest, colored);
      }
    }
  }
  int largest = 0;
};

// The bound is the exact maximum over the graphs the enumerator finds, for
// every stable type small enough to enumerate here.
TEST(MaxColoredVerticesTest, IsReachedAndNeverExceeded) {
  for (int g = 0; g <= 4; ++g) {
    for (int n = 0; 3 * g + n <= 13; ++n) {
      if (2 * g - 2 + n <= 0) continue;
      BoundaryComputer computer(g, n);
      ColoredVerticesPrinter printer;
      computer.Compute(printer, StatisticsNone, -1);
      EXPECT_EQ(MaxColoredVertices(g, n), printer.largest) << "(" << g << ", " << n << ")";
    }
  }
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

}  // namespace
