// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "printers/json_graph_printer.h"

#include <gtest/gtest.h>
#include <stdio.h>
#include <stdlib.h>

#include <string>
#include <vector>

#include "graph/graph.h"
#include "testing/test_support.h"

namespace {

/// MakeGraph's record, filed under `codimension`, of genus g.
Graph make(const std::vector<int>& genus, const std::vector<int>& marks, const std::vector<int>& loops,
           const std::vector<int>& pairs, int g, int codimension) {
  Graph graph = MakeGraph(genus, marks, loops, pairs);
  graph.g = g;
  graph.codimension = static_cast<int8_t>(codimension);
  return graph;
}

/// Everything the printer writes for the given passes.
std::string document(JsonGraphPrinter printer, const std::vector<GraphsByCodimension>& passes) {
  char* buffer = nullptr;
  size_t size = 0;
  printer.file = open_memstream(&buffer, &size);
  printer.BeginPrint();
  for (GraphsByCodimension pass : passes) printer.PrintSomeGraph(pass);
  printer.EndPrint();
  fclose(printer.file);
  std::string text(buffer, size);
  free(buffer);
  return text;
}

}  // namespace

TEST(JsonGraphPrinter, FourPointsOfGenusZero) {
  Graph one = make({0}, {4}, {0}, {}, 0, 0);
  Graph two = make({0, 0}, {2, 2}, {0, 0}, {1}, 0, 1);
  EXPECT_EQ(
      "{\"g\": 0, \"n\": 4, \"K\": 1, \"codimension\": 0, \"genus\": [0], \"marked_points\": [4], "
      "\"loops\": [0], \"edges\": [], \"automorphisms\": 24, \"id\": [1, 0, 1]}\n"
      "{\"g\": 0, \"n\": 4, \"K\": 2, \"codimension\": 1, \"genus\": [0, 0], \"marked_points\": [2, 2], "
      "\"loops\": [0, 0], \"edges\": [[0, 1, 1]], \"automorphisms\": 8, \"id\": [2, 1, 1]}\n",
      document(JsonGraphPrinter(nullptr), {{{0, {&one}}}, {{1, {&two}}}}));
}

TEST(JsonGraphPrinter, EdgesListOnlyJoinedPairsInRowOrder) {
  // Pairs (0,1), (0,2) and (1,3) are not joined; vertex 1 carries a loop,
  // which shows in "loops" and not among the edges.  No two vertices are
  // alike: |Aut| = 3! 2! for the multiple edges, 2 for the loop, 2! for the
  // points of vertex 2.
  Graph four = make({1, 0, 0, 0}, {0, 1, 2, 0}, {0, 1, 0, 0}, {0, 0, 3, 2, 0, 1}, 5, 7);
  EXPECT_EQ(
      "{\"g\": 5, \"n\": 3, \"K\": 4, \"codimension\": 7, \"genus\": [1, 0, 0, 0], "
      "\"marked_points\": [0, 1, 2, 0], \"loops\": [0, 1, 0, 0], \"edges\": [[0, 3, 3], [1, 2, 2], [2, 3, 1]], "
      "\"automorphisms\": 48, \"id\": [4, 7, 1]}\n",
      document(JsonGraphPrinter(nullptr), {{{7, {&four}}}}));
}

TEST(JsonGraphPrinter, AutomorphismsIsAnExactInteger) {
  // 33!, far beyond what a double holds exactly.
  Graph points = make({0}, {33}, {0}, {}, 0, 0);
  std::string line = document(JsonGraphPrinter(nullptr), {{{0, {&points}}}});
  EXPECT_NE(std::string::npos, line.find(", \"automorphisms\": 8683317618811886495518194401280000000, \"id\": "))
      << line;
}

TEST(JsonGraphPrinter, OrderAndEdgeFilter) {
  Graph torus = make({1}, {1}, {0}, {}, 1, 0);
  Graph loop = make({0}, {1}, {1}, {}, 1, 1);
  GraphsByCodimension pass = {{1, {&loop}}, {0, {&torus}}};
  std::string all = document(JsonGraphPrinter(nullptr), {pass});
  EXPECT_LT(all.find("\"codimension\": 0"), all.find("\"codimension\": 1")) << all;
  std::string filtered = document(JsonGraphPrinter(nullptr, 1), {pass});
  EXPECT_EQ(std::string::npos, filtered.find("\"codimension\": 0")) << filtered;
  EXPECT_NE(std::string::npos, filtered.find("\"loops\": [1]")) << filtered;
  EXPECT_EQ("", document(JsonGraphPrinter(nullptr, 5), {pass}));
}

// The Id, the last field, counts the graphs of one component count and
// codimension; an edge filter keeps it.
TEST(JsonGraphPrinter, IdCountsEachComponentsAndCodimension) {
  Graph torus = make({1}, {2}, {0}, {}, 1, 0);
  Graph loop = make({0}, {2}, {1}, {}, 1, 1);
  Graph bridge = make({1, 0}, {0, 2}, {0, 0}, {1}, 1, 1);
  Graph looped = make({0, 0}, {0, 2}, {1, 0}, {1}, 1, 2);
  Graph cycle = make({0, 0}, {1, 1}, {0, 0}, {2}, 1, 2);
  std::vector<GraphsByCodimension> passes = {{{0, {&torus}}, {1, {&loop}}},
                                             {{1, {&bridge}}, {2, {&looped, &cycle}}}};
  std::vector<std::string> ids;
  std::string all = document(JsonGraphPrinter(nullptr), passes);
  for (size_t at = all.find("\"id\": "); at != std::string::npos; at = all.find("\"id\": ", at + 1))
    ids.push_back(all.substr(at + 6, all.find("]}\n", at) + 1 - at - 6));
  EXPECT_EQ((std::vector<std::string>{"[1, 0, 1]", "[1, 1, 1]", "[2, 1, 1]", "[2, 2, 1]", "[2, 2, 2]"}), ids);
  std::string filtered = document(JsonGraphPrinter(nullptr, 2), passes);
  EXPECT_EQ(all.substr(all.find("{", all.find("[2, 1, 1]}")), std::string::npos), filtered);
}

// The state is the last Id.  Earlier versions wrote lines without an Id
// and recorded no state: that empty state is taken up at the start of a
// run only.
TEST(JsonGraphPrinter, StateAndTheStateOfEarlierVersions) {
  Graph cycle = make({0, 0}, {1, 1}, {0, 0}, {2}, 1, 2);
  PrintedSoFar none, some;
  none.per_components = {0, 0, 0};
  none.per_codimension = {0, 0, 0};
  some.per_components = {0, 2, 2};
  some.per_codimension = {1, 2, 1};
  JsonGraphPrinter printer(nullptr);
  ASSERT_TRUE(printer.RestoreState("2 2 1"));
  EXPECT_EQ("", printer.RestoredStateProblem(some));
  char* buffer = nullptr;
  size_t size = 0;
  printer.file = open_memstream(&buffer, &size);
  GraphsByCodimension pass = {{2, {&cycle}}};
  printer.PrintSomeGraph(pass);
  fclose(printer.file);
  std::string line(buffer, size);
  free(buffer);
  const std::string id = ", \"id\": [2, 2, 2]}\n";
  EXPECT_EQ(line.size() - id.size(), line.find(id)) << line;
  EXPECT_EQ("2 2 2", printer.State());
  ASSERT_TRUE(printer.RestoreState(""));
  EXPECT_EQ("", printer.RestoredStateProblem(none));
  EXPECT_EQ(
      "the graph numbering is at its start, but 4 graphs were printed: the lines written so far have no Id, as "
      "earlier versions of stable-graphs wrote them; finish that run with that version",
      printer.RestoredStateProblem(some));
  for (const char* bad : {"2 1", "2 2 0", "x"}) EXPECT_FALSE(printer.RestoreState(bad)) << bad;
}
