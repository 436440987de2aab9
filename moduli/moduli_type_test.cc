// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "moduli/moduli_type.h"

#include <gtest/gtest.h>

#include <string>

#include "testing/test_support.h"
#include "testing/brute_force_graphs.h"

namespace {

const ModuliType kAllTypes[] = {ModuliType::kStable, ModuliType::kCompactType, ModuliType::kRationalTails,
                                ModuliType::kTreeLike, ModuliType::kSmooth};

TEST(ModuliType, NamesReadBack) {
  for (ModuliType type : kAllTypes) {
    ModuliType read = ModuliType::kStable;
    EXPECT_TRUE(ParseModuliType(ModuliTypeName(type), read)) << ModuliTypeName(type);
    EXPECT_EQ(type, read);
  }
  ModuliType untouched = ModuliType::kTreeLike;
  for (const char* bad : {"", "CT", "ct ", "c", "stable", "s"}) {
    EXPECT_FALSE(ParseModuliType(bad, untouched)) << bad;
    EXPECT_EQ(ModuliType::kTreeLike, untouched);
  }
}

TEST(ModuliType, HandMadeGraphs) {
  struct Case {
    Graph graph;
    bool ct, rt, tl, sm;
  };
  const Case cases[] = {
      {MakeGraph({2}, {1}, {0}), true, true, true, true},                       // smooth
      {MakeGraph({1}, {1}, {1}), false, false, true, false},                    // one loop
      {MakeGraph({1, 1}, {0, 1}, {0, 0}, {1}), true, false, true, false},       // two genus-1 vertices
      {MakeGraph({0, 2}, {2, 0}, {0, 0}, {1}), true, true, true, false},        // a rational tail
      {MakeGraph({0, 1}, {1, 0}, {0, 0}, {2}), false, false, false, false},     // a double edge
      {MakeGraph({0, 1}, {2, 0}, {1, 0}, {1}), false, false, true, false},      // a loop on a tree
      {MakeGraph({0, 0, 0}, {1, 1, 1}, {0, 0, 0}, {1, 1, 1}), false, false, false, false},  // a triangle
      {MakeGraph({0, 0, 3}, {2, 2, 0}, {0, 0, 0}, {1, 0, 1}), true, true, true, false},     // a path
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(IsOfModuliType(c.graph, ModuliType::kStable));
    EXPECT_EQ(c.ct, IsOfModuliType(c.graph, ModuliType::kCompactType));
    EXPECT_EQ(c.rt, IsOfModuliType(c.graph, ModuliType::kRationalTails));
    EXPECT_EQ(c.tl, IsOfModuliType(c.graph, ModuliType::kTreeLike));
    EXPECT_EQ(c.sm, IsOfModuliType(c.graph, ModuliType::kSmooth));
  }
}

// The predicate reads the adjacency; the brute force decides from the
// numbers of vertices, edges and loops alone.
TEST(ModuliType, AgreesWithTheBruteForceOnEverySmallGraph) {
  int graphs = 0;
  for (int g = 0; g <= 4; ++g)
    for (int n = 0; 2 * g + n <= 9; ++n)
      for (const BruteForceGraph& found : BruteForceStableGraphs(g, n)) {
        ++graphs;
        for (ModuliType type : kAllTypes)
          EXPECT_EQ(BruteForceIsOfModuliType(found, type), IsOfModuliType(found.graph, type))
              << "(" << g << ", " << n << ") -M " << ModuliTypeName(type) << " graph with K = " << found.graph.K;
      }
  EXPECT_GT(graphs, 10000);
}

// Every stratum of a smaller part lies in the larger ones.
TEST(ModuliType, PartsAreNested) {
  for (int g = 0; g <= 3; ++g)
    for (int n = 0; 2 * g + n <= 8; ++n)
      for (const Graph& graph : AllGraphs(g, n)) {
        bool sm = IsOfModuliType(graph, ModuliType::kSmooth), rt = IsOfModuliType(graph, ModuliType::kRationalTails);
        bool ct = IsOfModuliType(graph, ModuliType::kCompactType), tl = IsOfModuliType(graph, ModuliType::kTreeLike);
        EXPECT_TRUE(!sm || rt);
        EXPECT_TRUE(!rt || ct);
        EXPECT_TRUE(!ct || tl);
        if (g == 0) {
          EXPECT_TRUE(rt);
        }
      }
}

}  // namespace
