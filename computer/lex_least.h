// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_COMPUTER_LEX_LEAST_H_
#define STABLE_GRAPHS_COMPUTER_LEX_LEAST_H_

#include <stdint.h>

#include "graph/graph.h"

/// Decides whether a working graph of the search is the least of its
/// relabellings, so that the search can keep the first graph of each
/// isomorphism class without remembering the graphs it found.
///
/// The vertices fall into blocks of consecutive vertices with equal genus,
/// marked points and loops; a relabelling permutes vertices within their
/// blocks only, which keeps the decorations where they are.  Relabellings
/// are compared by the upper triangle of their adjacency matrix read row by
/// row, the order in which the search assigns the edge multiplicities.
///
/// The test places vertices at positions 0, 1, ... in turn.  Once the
/// vertices at positions 0 .. r - 1 are chosen, the positions after them
/// fall into cells of vertices that no choice so far tells apart; the
/// least row r a vertex v can give at position r lists, cell by cell, its
/// multiplicities to the cell's vertices in ascending order.  A row below
/// the graph's own row r is a smaller relabelling; a row above it ends the
/// branch; an equal row splits each cell by those multiplicities and the
/// next position follows.
class LexLeastTest {
 public:
  /// Takes K and the blocks of equal decoration from `decoration`; every
  /// graph tested afterwards must share them.
  explicit LexLeastTest(const Graph& decoration);

  /// True when no relabelling of `graph` within the blocks has a smaller
  /// upper triangle.
  bool IsLeast(const Graph& graph);

  /// False when rows 0 .. rows - 1 of `graph`'s adjacency, already final,
  /// show a relabelling that is smaller whatever the remaining rows hold:
  /// then no completion of those rows is least.  Such a relabelling is
  /// smaller in a row r < rows, equal before it, and brings vertices of
  /// final rows to positions 0 .. r; true proves nothing.
  bool MayBecomeLeast(const Graph& graph, int rows);

  /// Branches of the last test: vertices tried at some position.
  int64_t branches() const { return branches_; }

 private:
  /// True when a relabelling that agrees with the graph before position
  /// `depth` and places there a vertex of final row is smaller.
  bool smaller_below(int depth);
  /// Compares the least row that vertex v, taken from position q, gives at
  /// position `depth` with the graph's own row there: negative, zero or
  /// positive.  Leaves in order_[depth + 1] the order that gives that row.
  int compare_row(int depth, int v, int q);
  /// The cells after position `depth` once row `depth` is equal.
  uint64_t split_cells(int depth) const;

  int K_;
  uint64_t block_starts_;  // bit p: a block starts at position p
  const int8_t (*adjacency_)[kMaxComponents] = nullptr;
  int known_ = 0;        // vertices below this have final rows
  int depth_limit_ = 0;  // positions compared: 0 .. depth_limit_ - 1
  int64_t branches_ = 0;
  // order_[r]: the vertices at positions r .. K - 1 as the choices before
  // position r arranged them, a cell starting at every bit of starts_[r].
  int8_t order_[kMaxComponents + 1][kMaxComponents];
  uint64_t starts_[kMaxComponents + 1];
};

#endif  // STABLE_GRAPHS_COMPUTER_LEX_LEAST_H_
