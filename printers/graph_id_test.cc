// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "printers/graph_id.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

/// The Ids of graphs with these (components, codimension), in order.
std::vector<std::string> ids(GraphIdNumbering& numbering, const std::vector<std::pair<int, int>>& graphs) {
  std::vector<std::string> result;
  for (const auto& entry : graphs) {
    Graph graph(0, 0, entry.first);
    graph.codimension = static_cast<int8_t>(entry.second);
    result.push_back(GraphIdText(numbering.Next(graph)));
  }
  return result;
}

// A section is a run of one codimension, even across component counts.
TEST(GraphIdNumbering, NumbersEachSectionFromOne) {
  GraphIdNumbering numbering;
  EXPECT_EQ((std::vector<std::string>{"(1, 0, 1)", "(1, 1, 1)", "(2, 1, 2)", "(2, 2, 1)", "(2, 2, 2)", "(3, 2, 3)",
                                      "(3, 3, 1)"}),
            ids(numbering, {{1, 0}, {1, 1}, {2, 1}, {2, 2}, {2, 2}, {3, 2}, {3, 3}}));
  numbering.Reset();
  EXPECT_EQ(std::vector<std::string>{"(2, 3, 1)"}, ids(numbering, {{2, 3}}));
}

TEST(GraphIdNumbering, StateRoundTrip) {
  GraphIdNumbering numbering, restored;
  ids(numbering, {{1, 4}, {2, 4}});
  EXPECT_EQ("4 2", numbering.State());
  ASSERT_TRUE(restored.RestoreState(numbering.State()));
  EXPECT_EQ(std::vector<std::string>{"(3, 4, 3)"}, ids(restored, {{3, 4}}));
  for (const char* bad : {"", "4", "4 2 1", "4 -1", "x 2"}) EXPECT_FALSE(restored.RestoreState(bad)) << bad;
}

}  // namespace
