// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_COMPUTER_VERTEX_LEVELS_H_
#define STABLE_GRAPHS_COMPUTER_VERTEX_LEVELS_H_

#include <memory>
#include <vector>

#include "computer/edge_task.h"
#include "computer/partial_graph.h"
#include "computer/search_settings.h"

/// The edge task that searches on from `start` at `from` as `settings`
/// say (its moduli type, bounds, search kind and labelled counting).
std::unique_ptr<EdgeTask> MakeEdgeTask(const PartialGraph& start, const SearchSettings& settings,
                                       SearchPoint from = SearchPoint());

/// The vertex levels of the search for type (g, n): every decoration of K
/// vertices (genus, marked points and loops of each) that can still become
/// a graph of the settings' moduli type, bounds and codimension, each left
/// as the EdgeTask that places its edges.
class VertexLevels {
 public:
  /// The levels for type (g, n), with 2g - 3 + n >= 0.
  VertexLevels(int g, int n, const SearchSettings& settings);

  /// The tasks of pass K (2 <= K <= 2g - 2 + n), in printing order: by
  /// codimension, then in the order the levels made them.
  std::vector<std::unique_ptr<EdgeTask>> TasksOfPass(int K);

 private:
  void bt_g(int v);
  void bt_m(int v);
  void bt_l(int v);
  void add_edge_task();
  void bound_genus_by_moduli_type(int v, int& lo, int& hi) const;
  void bound_loops_by_moduli_type(int v, int& lo, int& hi) const;

  const int g;
  const int n;
  const SearchSettings settings_;
  PartialGraph work_graph;
  std::vector<std::unique_ptr<EdgeTask>> tasks_;
};

#endif  // STABLE_GRAPHS_COMPUTER_VERTEX_LEVELS_H_
