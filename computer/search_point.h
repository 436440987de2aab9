// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_COMPUTER_SEARCH_POINT_H_
#define STABLE_GRAPHS_COMPUTER_SEARCH_POINT_H_

/// The pair of vertices an edge task's search takes up: every pair before
/// it, row by row, is already assigned in the task's start graph.
struct SearchPoint {
  int i = 0;
  int j = 1;
  bool operator==(const SearchPoint& other) const { return i == other.i && j == other.j; }
};

#endif  // STABLE_GRAPHS_COMPUTER_SEARCH_POINT_H_
