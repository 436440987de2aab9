// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "stream/binary_graph_printer.h"

#include <gtest/gtest.h>
#include <stdio.h>

#include <vector>

#include "computer/boundary_computer.h"
#include "graph/graph.h"
#include "stream/record_io.h"

namespace {

/// Everything written to a scratch file by `write`, as byte values.
template <typename Write>
std::vector<int> bytes_of(Write write) {
  FILE* f = tmpfile();
  write(f);
  rewind(f);
  std::vector<int> bytes;
  for (int c = fgetc(f); c != EOF; c = fgetc(f)) bytes.push_back(c);
  fclose(f);
  return bytes;
}

/// The byte stream of a whole run of type (g, n).
std::vector<int> run(int g, int n, std::optional<int> edge_filter = std::nullopt) {
  return bytes_of([&](FILE* f) {
    BoundaryComputer computer(g, n);
    BinaryGraphPrinter printer(f, g, n, edge_filter);
    computer.Compute(printer, StatisticsNone);
  });
}

}  // namespace

TEST(BinaryGraphPrinter, FourPointsOfGenusZero) {
  EXPECT_EQ((std::vector<int>{0x00, 0x01, 0x00, 0x04, 0x00, 0x02, 0x00, 0x00, 0x02, 0x02, 0x00, 0x00, 0x01, 0x00}),
            run(0, 4));
}

TEST(BinaryGraphPrinter, HeaderAndEndMarkerSurviveTheFilter) {
  EXPECT_EQ((std::vector<int>{0, 0}), run(0, 4, 5));
  EXPECT_EQ((std::vector<int>{0, 2, 0, 0, 2, 2, 0, 0, 1, 0}), run(0, 4, 1));
  EXPECT_EQ((std::vector<int>{}), run(0, 2)) << "an unstable type writes nothing";
}

TEST(BinaryGraphPrinter, RecordLayout) {
  Graph graph(3, 2, 3);
  const int8_t genus[] = {0, 1, 1}, marks[] = {2, 0, 0}, loops[] = {0, 0, 1};
  for (int i = 0; i < 3; ++i) {
    graph.genus[i] = genus[i];
    graph.marked_points[i] = marks[i];
    graph.SetLoops(i, loops[i]);
  }
  graph.adjacency[0][1] = graph.adjacency[1][0] = 1;
  graph.adjacency[0][2] = graph.adjacency[2][0] = -1;  // only the low 8 bits go out
  graph.adjacency[1][2] = graph.adjacency[2][1] = 2;
  EXPECT_EQ((std::vector<int>{3, 0, 1, 1, 2, 0, 0, 0, 0, 1, 1, 0xFF, 2}),
            bytes_of([&](FILE* f) { WriteRecord(f, graph); }));
}

TEST(BinaryGraphPrinter, OrderAndFilterInsideAPass) {
  Graph one(1, 0, 1), loop(1, 0, 1);
  one.genus[0] = 1;
  loop.SetLoops(0, 1);
  loop.codimension = 1;
  GraphsByCodimension pass = {{1, {&loop}}, {0, {&one, &loop}}};
  std::vector<int> all = bytes_of([&](FILE* f) {
    BinaryGraphPrinter printer(f, 1, 0);
    printer.PrintSomeGraph(pass);
  });
  EXPECT_EQ((std::vector<int>{1, 1, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1}), all);
  std::vector<int> filtered = bytes_of([&](FILE* f) {
    BinaryGraphPrinter printer(f, 1, 0, 1);
    printer.BeginPrint();
    printer.PrintSomeGraph(pass);
    printer.EndPrint();
  });
  // The filter reads each graph's own codimension, not the key it is filed
  // under: `one` is dropped and `loop` is written both times.
  EXPECT_EQ((std::vector<int>{0, 1, 0, 0, 1, 1, 0, 0, 1, 0}), filtered);
}
