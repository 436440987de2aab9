// Copyright 2026 The stable-graphs Authors.
#ifndef STABLE_GRAPHS_COMPUTER_BOUNDARY_COMPUTER_H_
#define STABLE_GRAPHS_COMPUTER_BOUNDARY_COMPUTER_H_

#include <stdio.h>

#include <map>
#include <vector>

#include "computer/computer.h"
#include "graph/graph.h"
#include "graph/graph_class.h"

/// Stored graphs bucketed by invariant key, for the duplicate test.
typedef std::map<GraphClass, std::vector<Graph*>> GraphsByClass;

/// Enumerates the stable graphs of type (g, n) by backtracking, one number
/// of components K at a time, rejecting unconnected and isomorphic
/// candidates, and hands each pass's graphs to a printer.
class BoundaryComputer : public Computer {
 public:
  /// Prepares an enumerator for type (g, n); nothing is computed yet.
  BoundaryComputer(int g, int n);
  ~BoundaryComputer() override;

  std::vector<Graph*>* GetAllResults() override;
  GraphsByCodimension* GetAllResultsByCodimension() override;
  void Compute(GraphPrinter& printer, ::Statistics mode, int edge_filter) override;
  void Compute(GraphPrinter& printer, ::Statistics mode) override;
  void Compute(GraphPrinter& printer) override;
  void Statistics(FILE* out) override;
  void TerseStatistics(FILE* out) override;

  GraphPrinter* printer = nullptr;
  int g;
  int n;
  bool computed = false;
  GraphsByCodimension store_by_codimension;
  GraphsByClass store_by_class;
  std::vector<int> tried;
  std::vector<int> found;
  std::vector<int> duplicated;
  std::vector<int> unconnected;
  bool visited[kMaxComponents] = {};
  Graph work_graph;
  int edge_filter = -1;
  std::vector<int> found_per_codimension;
  std::vector<int> spare_counts_a;
  std::vector<int> spare_counts_b;

 private:
  int max_K() const { return 2 * work_graph.g + work_graph.n - 2; }
  void one_vertex_pass();
  void empty_store_to_statistics();

  // The four levels of the generator: genus, marked points and loops of
  // vertex v, and the number of edges between vertices i < j.
  void bt_g(int v);
  void bt_m(int v);
  void bt_l(int v);
  void bt_a(int i, int j);
  void complete_candidate();

  bool correct();
  int visit(int a);
  bool duplicate();
  void add_to_store();
};

#endif  // STABLE_GRAPHS_COMPUTER_BOUNDARY_COMPUTER_H_
