// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_COMPUTER_TASK_SPLIT_H_
#define STABLE_GRAPHS_COMPUTER_TASK_SPLIT_H_

#include <functional>

#include "computer/partial_graph.h"
#include "computer/search_point.h"

/// What an edge task's search needs while EdgeTask::Split runs it: where
/// the search stops and who takes each point it stops at.  It lives only
/// for that call; Run never sees one.
struct TaskSplit {
  /// Receives the working graph at a point and the pair the part takes up.
  using Take = std::function<void(const PartialGraph&, SearchPoint)>;

  /// The rows after which the search is cut.
  int rows = 0;
  /// Where the parts go; the caller of Split owns it.
  const Take* take = nullptr;

  /// Whether the search, about to take up pair (i, j) of a graph with K
  /// vertices, stands where a part starts: rows 0 .. rows - 1 assigned, or
  /// every edge placed (`edges_placed`) before row `rows`.  The start of
  /// the whole search is never a part: a task that small is not split.
  bool CutsAt(int i, int j, int K, bool edges_placed) const {
    if (i == 0 && j == 1) return false;
    bool rows_done = j >= K && i + 1 >= rows;
    bool edges_done = i < rows && edges_placed;
    return rows_done || edges_done;
  }
};

#endif  // STABLE_GRAPHS_COMPUTER_TASK_SPLIT_H_
