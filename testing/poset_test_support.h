// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_TESTING_POSET_TEST_SUPPORT_H_
#define STABLE_GRAPHS_TESTING_POSET_TEST_SUPPORT_H_

#include <stdio.h>

#include <string>
#include <utility>
#include <vector>

#include "graph/graph.h"
#include "graph/graph_printer.h"

/// A stable graph as a list of edges, for the brute-force references of
/// the poset tests: they share no code with the matrices of Graph that the
/// code under test works on.
struct EdgeListGraph {
  std::vector<int> genus;
  std::vector<int> points;
  /// The labels at each vertex, ascending (empty for unlabelled points).
  std::vector<std::vector<int>> labels;
  /// Each edge once, u <= v; u == v is a loop.
  std::vector<std::pair<int, int>> edges;
  int codimension() const { return static_cast<int>(edges.size()); }
};

/// The edge list of a record.
EdgeListGraph ToEdgeList(const Graph& graph);

/// The graph with edges[e] contracted: a loop raises its vertex's genus,
/// an edge between two vertices merges them into the smaller, the others
/// moving up.
EdgeListGraph ContractByBruteForce(const EdgeListGraph& graph, size_t e);

/// The least description of the graph over every order of its vertices
/// that sorts them by decoration (genus, points, loops, labels): equal for
/// two graphs exactly when they are isomorphic.
std::vector<int> BruteForceCanonicalForm(const EdgeListGraph& graph);

/// Keeps the edge list of every graph it is handed.
class EdgeListCollector : public GraphPrinter {
 public:
  void BeginPrint() override {}
  void PrintSomeGraph(const GraphsByCodimension& graphs) override;
  void EndPrint() override {}
  std::vector<EdgeListGraph> graphs;
};

/// Passes every call on to each of its printers, in turn.
class TeePrinter : public GraphPrinter {
 public:
  explicit TeePrinter(std::vector<GraphPrinter*> printers) : printers_(std::move(printers)) {}
  void BeginPrint() override;
  void PrintSomeGraph(const GraphsByCodimension& graphs) override;
  void EndPrint() override;

 private:
  std::vector<GraphPrinter*> printers_;
};

/// The Id "(K, c, i)" of each graph of a list in printing order, counted
/// plainly: i is one more than the graphs with K components and
/// codimension c anywhere before it.
std::vector<std::string> CountedIds(const std::vector<EdgeListGraph>& graphs);

/// A file in memory that collects what is written to it.
class MemoryFile {
 public:
  MemoryFile();
  ~MemoryFile();
  MemoryFile(const MemoryFile&) = delete;
  MemoryFile& operator=(const MemoryFile&) = delete;
  FILE* file() { return file_; }
  /// Everything written so far.
  std::string Text();

 private:
  char* buffer_ = nullptr;
  size_t size_ = 0;
  FILE* file_;
};

#endif  // STABLE_GRAPHS_TESTING_POSET_TEST_SUPPORT_H_
