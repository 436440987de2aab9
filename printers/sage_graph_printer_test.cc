// Copyright 2026 The stable-graphs Authors.
#include "printers/sage_graph_printer.h"

#include <gtest/gtest.h>
#include <stdio.h>
#include <stdlib.h>

#include <algorithm>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "computer/boundary_computer.h"
#include "graph/graph.h"

namespace {

/// A record of genus.size() components; `pairs` holds the multiplicities of
/// the pairs (0,1), (0,2), ..., (K-2,K-1) row by row.
Graph make(const std::vector<int>& genus, const std::vector<int>& marks, const std::vector<int>& loops,
           const std::vector<int>& pairs) {
  int K = static_cast<int>(genus.size());
  Graph graph(0, 0, K);
  graph.Clear(static_cast<int8_t>(K));
  for (int i = 0; i < K; ++i) {
    graph.genus[i] = static_cast<int8_t>(genus[i]);
    graph.marked_points[i] = static_cast<int8_t>(marks[i]);
    graph.loops[i] = graph.adjacency[i][i] = static_cast<int8_t>(loops[i]);
    graph.codimension = static_cast<int8_t>(graph.codimension + loops[i]);
  }
  size_t p = 0;
  for (int i = 0; i < K; ++i)
    for (int k = i + 1; k < K; ++k, ++p) {
      graph.adjacency[i][k] = graph.adjacency[k][i] = static_cast<int8_t>(pairs[p]);
      graph.codimension = static_cast<int8_t>(graph.codimension + pairs[p]);
    }
  return graph;
}

/// Everything the printer writes for the given passes.
std::string document(SageGraphPrinter printer, const std::vector<GraphsByCodimension>& passes) {
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

std::string line_of(const Graph& graph) {
  Graph copy = graph;
  return document(SageGraphPrinter(nullptr), {{{copy.codimension, {&copy}}}});
}

/// The three lists of one StableGraph(genera, legs, edges) line, read back.
struct SageLists {
  std::vector<int> genera;
  std::vector<std::vector<int>> legs;
  std::vector<std::pair<int, int>> edges;
};

/// Reads "[a, b, ...]" at the front of in.
std::vector<int> read_ints(std::istringstream& in) {
  std::vector<int> values;
  char c;
  in >> c;  // '['
  if (in.peek() == ']') return in.get(), values;
  for (int value; in >> value;) {
    values.push_back(value);
    in >> c;  // ',' or ']'
    if (c == ']') break;
  }
  return values;
}

/// Parses one line, failing the test when it is not of the expected shape.
SageLists parse(const std::string& line) {
  const std::string head = "StableGraph(", tail = ")\n";
  SageLists lists;
  EXPECT_EQ(0u, line.find(head)) << line;
  EXPECT_EQ(line.size() - tail.size(), line.rfind(tail)) << line;
  std::istringstream in(line.substr(head.size()));
  char c;
  lists.genera = read_ints(in);
  in >> c >> c;  // ", ["
  while (in.peek() != ']') {
    lists.legs.push_back(read_ints(in));
    if (in.peek() == ',') in >> c;
    in >> std::ws;
  }
  in >> c >> c >> c;  // "], ["
  for (int a, b; in.peek() == '(' && (in >> c >> a >> c >> b >> c);) {
    lists.edges.emplace_back(a, b);
    if (in.peek() == ',') in >> c >> std::ws;
  }
  return lists;
}

/// Checks the lists of one line against the graph it was printed from.
void check_lists(const Graph& graph, const SageLists& lists) {
  ASSERT_EQ(static_cast<size_t>(graph.K), lists.legs.size());
  int n = 0;
  std::map<int, int> vertex_of;  // label -> vertex
  for (int v = 0; v < graph.K; ++v) {
    EXPECT_EQ(graph.genus[v], lists.genera[v]);
    EXPECT_TRUE(std::is_sorted(lists.legs[v].begin(), lists.legs[v].end()));
    // Marked points: the next marked_points[v] numbers in vertex order.
    for (int m = 0; m < graph.marked_points[v]; ++m) EXPECT_EQ(n + m + 1, lists.legs[v][m]) << "vertex " << v;
    n += graph.marked_points[v];
    for (int label : lists.legs[v]) EXPECT_TRUE(vertex_of.emplace(label, v).second) << "label " << label << " twice";
  }
  ASSERT_EQ(static_cast<size_t>(graph.codimension), lists.edges.size());
  EXPECT_EQ(static_cast<size_t>(n + 2 * graph.codimension), vertex_of.size());
  EXPECT_EQ(n + 2 * graph.codimension, vertex_of.empty() ? 0 : vertex_of.rbegin()->first) << "labels 1 .. n + 2E";
  std::map<std::pair<int, int>, int> multiplicity;
  for (auto [a, b] : lists.edges) {
    EXPECT_GT(a, n);
    EXPECT_EQ(a + 1, b) << "an edge takes two consecutive labels";
    ++multiplicity[{vertex_of[a], vertex_of[b]}];
  }
  for (int i = 0; i < graph.K; ++i)
    for (int j = i; j < graph.K; ++j)
      EXPECT_EQ(graph.adjacency[i][j], (multiplicity[{i, j}])) << "pair " << i << ", " << j;
}

/// Passes every graph of a run to check_lists with its printed line.
class CheckingPrinter : public GraphPrinter {
 public:
  void BeginPrint() override {}
  void PrintSomeGraph(GraphsByCodimension& graphs) override {
    for (auto& entry : graphs)
      for (Graph* graph : entry.second) {
        check_lists(*graph, parse(line_of(*graph)));
        ++checked;
      }
  }
  void EndPrint() override {}

  int checked = 0;
};

}  // namespace

TEST(SageGraphPrinter, FourPointsOfGenusZero) {
  Graph one = make({0}, {4}, {0}, {});
  Graph two = make({0, 0}, {2, 2}, {0, 0}, {1});
  EXPECT_EQ(
      "StableGraph([0], [[1, 2, 3, 4]], [])\n"
      "StableGraph([0, 0], [[1, 2, 5], [3, 4, 6]], [(5, 6)])\n",
      document(SageGraphPrinter(nullptr), {{{0, {&one}}}, {{1, {&two}}}}));
}

TEST(SageGraphPrinter, EdgesBetweenVerticesComeBeforeLoops) {
  // n = 3: half-edges from 4 on.  Pair (0,1) twice: 4-5, 6-7; pair (1,2)
  // once: 8-9; then the loop of vertex 0: 10-11, and of vertex 2: 12-13.
  Graph graph = make({0, 1, 0}, {2, 0, 1}, {1, 0, 1}, {2, 0, 1});
  EXPECT_EQ("StableGraph([0, 1, 0], [[1, 2, 4, 6, 10, 11], [5, 7, 8], [3, 9, 12, 13]], "
            "[(4, 5), (6, 7), (8, 9), (10, 11), (12, 13)])\n",
            line_of(graph));
}

TEST(SageGraphPrinter, NoLegsAtAll) {
  EXPECT_EQ("StableGraph([2], [[]], [])\n", line_of(make({2}, {0}, {0}, {})));
  EXPECT_EQ("StableGraph([0], [[1, 2, 3, 4]], [(1, 2), (3, 4)])\n", line_of(make({0}, {0}, {2}, {})));
}

TEST(SageGraphPrinter, EdgeFilter) {
  Graph torus = make({1}, {1}, {0}, {});
  Graph loop = make({0}, {1}, {1}, {});
  GraphsByCodimension pass = {{0, {&torus}}, {1, {&loop}}};
  EXPECT_EQ(line_of(torus) + line_of(loop), document(SageGraphPrinter(nullptr), {pass}));
  EXPECT_EQ(line_of(loop), document(SageGraphPrinter(nullptr, 1), {pass}));
}

TEST(SageGraphPrinter, EveryGraphOfSeveralRunsReadsBack) {
  const int types[][2] = {{0, 6}, {1, 3}, {2, 1}, {3, 0}};
  for (auto [g, n] : types) {
    SCOPED_TRACE("type (" + std::to_string(g) + ", " + std::to_string(n) + ")");
    CheckingPrinter printer;
    BoundaryComputer computer(g, n);
    computer.Compute(printer, StatisticsNone);
    EXPECT_GT(printer.checked, 2);
  }
}
