// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "graph/tool_order.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "stream/record_io.h"
#include "testing/test_support.h"

namespace {

int sign(int x) { return (x > 0) - (x < 0); }

/// Expects `first` strictly before `second`, both ways round.
void expect_before(const Graph& first, const Graph& second) {
  EXPECT_LT(CompareInToolOrder(first, second), 0);
  EXPECT_GT(CompareInToolOrder(second, first), 0);
}

}  // namespace

// Each item of the order decides when the ones before it tie, whatever the
// items after it say: every pair below is ordered one way by its deciding
// item and the other way by everything after it.
TEST(ToolOrder, EachItemDecidesInItsTurn) {
  // K: one vertex with three loops before two vertices with one edge.
  expect_before(MakeGraph({0}, {4}, {3}), MakeGraph({0, 0}, {2, 2}, {0, 0}, {1}));
  // The codimension before the decorations.
  expect_before(MakeGraph({0, 0}, {2, 2}, {0, 0}, {1}), MakeGraph({0, 0}, {1, 1}, {0, 2}, {0}));
  // Genera before marked points, loops and edges.
  expect_before(MakeGraph({0, 2}, {5, 0}, {1, 0}, {3}), MakeGraph({1, 0}, {0, 0}, {0, 3}, {1}));
  // Marked points before loops and edges.
  expect_before(MakeGraph({1, 1}, {0, 3}, {1, 0}, {2}), MakeGraph({1, 1}, {1, 0}, {0, 2}, {1}));
  // Loops before edges.
  expect_before(MakeGraph({0, 0}, {1, 1}, {0, 1}, {2}), MakeGraph({0, 0}, {1, 1}, {1, 1}, {1}));
  // The upper triangle, pair (0, 1) first.
  expect_before(MakeGraph({0, 0, 0}, {1, 1, 1}, {0, 0, 0}, {0, 2, 0}),
                MakeGraph({0, 0, 0}, {1, 1, 1}, {0, 0, 0}, {1, 0, 1}));
}

// Row by row: pair (0, 3) comes before pair (1, 2).  Read column by column
// the two graphs would be ordered the other way.
TEST(ToolOrder, UpperTriangleIsReadRowByRow) {
  // Pairs (0,1), (0,2), (0,3), (1,2), (1,3), (2,3).
  Graph late_in_row_zero = MakeGraph({0, 0, 0, 0}, {1, 1, 1, 1}, {0, 0, 0, 0}, {0, 0, 1, 0, 1, 1});
  Graph early_in_row_one = MakeGraph({0, 0, 0, 0}, {1, 1, 1, 1}, {0, 0, 0, 0}, {0, 0, 0, 1, 1, 1});
  expect_before(early_in_row_one, late_in_row_zero);
}

TEST(ToolOrder, EqualDescriptionsCompareEqualWhateverTheirLabels) {
  Graph a = MakeGraph({0, 1}, {2, 1}, {0, 0}, {1});
  Graph b = a;
  EXPECT_EQ(0, CompareInToolOrder(a, b));
  b.labelled = true;
  b.vertex_of_label[0] = 1;
  b.vertex_of_label[1] = 0;
  b.vertex_of_label[2] = 0;
  EXPECT_EQ(0, CompareInToolOrder(a, b));
  // The lower triangle is the upper one mirrored: only the upper is read.
  EXPECT_EQ(0, CompareInToolOrder(MakeGraph({0}, {3}, {0}), MakeGraph({0}, {3}, {0})));
}

// Within a section (equal K and codimension) the order is that of the
// records' bytes in the stream: what the Python reader compares.
TEST(ToolOrder, AgreesWithTheRecordBytesWithinASection) {
  std::mt19937 random(29);
  int before = 0, after = 0, equal = 0;
  for (int trial = 0; trial < 4000; ++trial) {
    const int K = 1 + trial % 5;
    std::uniform_int_distribution<int> small(0, trial % 3 == 0 ? 1 : 2);
    Graph a(0, 0, K), b(0, 0, K);
    for (Graph* graph : {&a, &b}) {
      for (int v = 0; v < K; ++v) {
        graph->genus[v] = static_cast<int8_t>(small(random));
        graph->marked_points[v] = static_cast<int8_t>(small(random));
        graph->SetLoops(v, small(random));
        for (int u = v + 1; u < K; ++u)
          graph->adjacency[v][u] = graph->adjacency[u][v] = static_cast<int8_t>(small(random));
      }
    }
    if (trial % 4 == 0) b = a;  // equal records too
    a.codimension = b.codimension = 5;
    std::string bytes_a = CaptureOutput([&](FILE* f) { WriteRecord(f, a); });
    std::string bytes_b = CaptureOutput([&](FILE* f) { WriteRecord(f, b); });
    int by_bytes = sign(bytes_a.compare(bytes_b));
    ASSERT_EQ(by_bytes, sign(CompareInToolOrder(a, b))) << "trial " << trial;
    ASSERT_EQ(-by_bytes, sign(CompareInToolOrder(b, a))) << "trial " << trial;
    (by_bytes < 0 ? before : by_bytes > 0 ? after : equal)++;
  }
  EXPECT_GT(before, 1000);
  EXPECT_GT(after, 1000);
  EXPECT_GT(equal, 900);
}

TEST(ToolOrder, VerticesSortedByGenusThenMarkedPointsThenLoops) {
  EXPECT_TRUE(SortedByDecoration(MakeGraph({0, 0, 0, 1}, {1, 2, 2, 0}, {3, 0, 1, 0})));
  EXPECT_TRUE(SortedByDecoration(MakeGraph({1, 1}, {2, 2}, {1, 1})));
  EXPECT_TRUE(SortedByDecoration(MakeGraph({2}, {0}, {0})));
  EXPECT_FALSE(SortedByDecoration(MakeGraph({1, 0}, {0, 5}, {0, 5})));
  EXPECT_FALSE(SortedByDecoration(MakeGraph({0, 0}, {3, 2}, {0, 4})));
  EXPECT_FALSE(SortedByDecoration(MakeGraph({0, 0, 0}, {2, 2, 2}, {0, 1, 0})));
  EXPECT_LT(CompareDecorations(MakeGraph({0}, {9}, {9}), 0, MakeGraph({1}, {0}, {0}), 0), 0);
  EXPECT_EQ(0, CompareDecorations(MakeGraph({0, 1}, {2, 3}, {0, 1}), 1, MakeGraph({1}, {3}, {1}), 0));
}
