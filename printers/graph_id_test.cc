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

/// What a run printed: the graphs per component count (index K) and per
/// codimension (index c).
PrintedSoFar printed(const std::vector<int>& per_components, const std::vector<int>& per_codimension) {
  PrintedSoFar so_far;
  for (int count : per_components) so_far.per_components.push_back(count);
  for (int count : per_codimension) so_far.per_codimension.push_back(count);
  return so_far;
}

// The number counts the graphs of one component count and codimension,
// whatever came before them: a codimension going on into the next pass
// starts again from 1.
TEST(GraphIdNumbering, NumbersEachComponentsAndCodimensionFromOne) {
  GraphIdNumbering numbering;
  EXPECT_EQ((std::vector<std::string>{"(1, 0, 1)", "(1, 1, 1)", "(2, 1, 1)", "(2, 1, 2)", "(2, 2, 1)", "(2, 2, 2)",
                                      "(3, 2, 1)", "(3, 3, 1)", "(3, 3, 2)"}),
            ids(numbering, {{1, 0}, {1, 1}, {2, 1}, {2, 1}, {2, 2}, {2, 2}, {3, 2}, {3, 3}, {3, 3}}));
  numbering.Reset();
  EXPECT_EQ((std::vector<std::string>{"(2, 3, 1)", "(3, 3, 1)"}), ids(numbering, {{2, 3}, {3, 3}}));
}

TEST(GraphIdNumbering, StateRoundTrip) {
  GraphIdNumbering numbering, restored;
  EXPECT_EQ("", numbering.State());
  ids(numbering, {{1, 4}, {2, 4}, {2, 4}});
  EXPECT_EQ("2 4 2", numbering.State());
  ASSERT_TRUE(restored.RestoreState(numbering.State()));
  EXPECT_EQ((std::vector<std::string>{"(2, 4, 3)", "(3, 4, 1)"}), ids(restored, {{2, 4}, {3, 4}}));
  ASSERT_TRUE(restored.RestoreState(""));
  EXPECT_EQ(std::vector<std::string>{"(2, 4, 1)"}, ids(restored, {{2, 4}}));
  // Only the text State() writes, nothing that reads as the same numbers.
  for (const char* bad : {"4 2", "2 4 2 1", "2 4 0", "0 4 1", "2 -1 1", "2 4 -1", " 2 4 1", "2 4 1 ", "2  4 1",
                          "+2 4 1", "02 4 1", "2 4 x", "x"}) {
    EXPECT_FALSE(restored.RestoreState(bad)) << bad;
    EXPECT_EQ("2 4 1", restored.State()) << bad;
  }
}

// The last Id is that of a graph among those printed: of the last
// component count printed, of a codimension printed (the filter's when
// there is one), numbered within what both counts allow.
TEST(GraphIdNumbering, ProblemAgainstThePrintedGraphs) {
  GraphIdNumbering numbering;
  // Passes 1 and 2 of a run: one graph of codimension 0, two of 1 (one
  // per pass), three of codimension 2 (one with one component).
  PrintedSoFar run = printed({0, 3, 3}, {1, 2, 3});
  EXPECT_EQ("", numbering.Problem(printed({0, 0, 0}, {0, 0, 0}), std::nullopt, "the numbering"));
  EXPECT_EQ("the numbering is at its start, but 6 graphs were printed",
            numbering.Problem(run, std::nullopt, "the numbering"));
  EXPECT_EQ("", numbering.Problem(printed({0, 0, 0}, {0, 0, 0}), 2, "the numbering"));
  for (const char* good : {"2 2 2", "2 2 1", "2 1 1"}) {
    ASSERT_TRUE(numbering.RestoreState(good));
    EXPECT_EQ("", numbering.Problem(run, std::nullopt, "the numbering")) << good;
  }
  ASSERT_TRUE(numbering.RestoreState("2 2 2"));
  EXPECT_EQ("the numbering is at (2, 2, 2), but no graph was printed",
            numbering.Problem(printed({0, 0, 0}, {0, 0, 0}), std::nullopt, "the numbering"));
  EXPECT_EQ("the numbering is at (2, 2, 2), but no graph of codimension 2 was printed",
            numbering.Problem(run, 1, "the numbering"));
  const std::pair<const char*, const char*> bad[] = {
      {"1 2 1", "the numbering is at (1, 2, 1), but the last graphs printed have 2 components"},
      {"3 2 1", "the numbering is at (3, 2, 1), but the last graphs printed have 2 components"},
      {"2 5 1", "the numbering is at (2, 5, 1), but no graph of codimension 5 was printed"},
      {"2 1 3", "the numbering is at (2, 1, 3), but at most 2 graphs of its components and codimension were printed"},
      {"2 2 4", "the numbering is at (2, 2, 4), but at most 3 graphs of its components and codimension were printed"},
  };
  for (const auto& entry : bad) {
    ASSERT_TRUE(numbering.RestoreState(entry.first));
    EXPECT_EQ(entry.second, numbering.Problem(run, std::nullopt, "the numbering")) << entry.first;
  }
  // A run with -C 2 counts only the graphs of codimension 2.
  ASSERT_TRUE(numbering.RestoreState("2 2 2"));
  EXPECT_EQ("", numbering.Problem(printed({0, 1, 2}, {0, 0, 3}), 2, "the numbering"));
  ASSERT_TRUE(numbering.RestoreState("2 2 3"));
  EXPECT_NE("", numbering.Problem(printed({0, 1, 2}, {0, 0, 3}), 2, "the numbering"));
}

}  // namespace
