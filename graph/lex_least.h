// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_GRAPH_LEX_LEAST_H_
#define STABLE_GRAPHS_GRAPH_LEX_LEAST_H_

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
///
/// Along the identity every row gives itself in place, so the test follows
/// the graph's own labelling and branches off it: vertex u instead of r at
/// position r, positions before r in place.  A search that finishes rows
/// in order can keep what a test found: a branch-off whose first row was
/// above the graph's is above it for good, and only the others and those
/// of the vertices that became final need trying again (the *AfterRow
/// calls).  Relabellings found equal in every compared row cut the rest:
/// the branch-offs of a position are tried one per orbit of those found,
/// and a branch that meets one ends, as it mirrors the graph's own branch.
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

  /// MayBecomeLeast for a search that finishes rows in order: for rows > 1
  /// the previous call of this kind with rows - 1 returned true for the
  /// same rows 0 .. rows - 2.  Only what those rows leave open is tried.
  bool MayBecomeLeastAfterRow(const Graph& graph, int rows);

  /// IsLeast for the same search: `final_rows` is 0, or the last
  /// MayBecomeLeastAfterRow with that many rows returned true for the same
  /// rows 0 .. final_rows - 1.
  bool IsLeastAfterRows(const Graph& graph, int final_rows);

  /// Branches of all tests so far: vertices tried at some position.
  int64_t branches() const { return branches_; }

 private:
  /// How a branch of the test ended.
  enum class Branch { kNone, kSmaller, kEqual };

  /// Whether a smaller relabelling exists with `known` vertices of final
  /// row and `limit` positions compared, given the test of the state at
  /// `level` (fewer of both); with keep_level >= 0, what is left open is
  /// kept as the state at keep_level.
  bool smaller_after(const Graph& graph, int level, int known, int limit, int keep_level);
  /// Whether the branch from order_[depth] meets a smaller relabelling, a
  /// relabelling equal in every compared row (which ends it), or neither.
  Branch smaller_moved(int depth);
  /// Whether the graph's row `depth` ascends within every cell after it.
  bool sorted_within_cells(int depth) const;
  /// Adds the relabelling that the branch just found equal to the orbits.
  void record_equal_relabelling();
  /// The least vertex of v's orbit under the relabellings found equal.
  int orbit_root(int v);
  /// Compares the least row that vertex v, taken from position q of the
  /// order `from`, gives at position `depth` with the graph's own row
  /// there: negative, zero or positive.  When zero, order_[depth + 1]
  /// holds the order that gives that row.
  int compare_row(int depth, int v, int q, const int8_t* from);
  /// The cells after position `depth` once row `depth` is equal.
  uint64_t split_cells(int depth) const;

  /// What a test leaves open for a test with more final rows.
  struct State {
    int known = 0;
    int limit = 0;
    /// open[r], bit u: branch-off u at position r was equal in its first
    /// row or not tried, so its outcome may change.
    uint64_t open[kMaxComponents] = {};
  };

  int K_;
  // The masks of positions hold a bit for each position and one for the
  // position K after the last, where every cell ends: any record's K fits.
  static_assert(kMaxComponents + 1 <= 64, "position masks need K + 1 bits");
  uint64_t block_starts_;  // bit p: a block starts at position p
  const int8_t (*adjacency_)[kMaxComponents] = nullptr;
  int known_ = 0;        // vertices below this have final rows
  int depth_limit_ = 0;  // positions compared: 0 .. depth_limit_ - 1
  int64_t branches_ = 0;
  // order_[r]: the vertices at positions r .. K - 1 as the choices before
  // position r arranged them, a cell starting at every bit of starts_[r]
  // (which depends on r alone: the graph's rows before r decide the cells).
  int8_t order_[kMaxComponents + 1][kMaxComponents];
  int8_t identity_[kMaxComponents];  // the order along the graph's labelling
  uint64_t starts_[kMaxComponents + 1];
  int8_t path_[kMaxComponents];          // the vertex chosen at each position
  int8_t orbit_parent_[kMaxComponents];  // union-find of the orbits
  // states_[rows]: left by MayBecomeLeastAfterRow with `rows`; states_[0]
  // is the empty test.  States above valid_level_ belong to other rows.
  State states_[kMaxComponents + 1];
  int valid_level_ = 0;
};

#endif  // STABLE_GRAPHS_GRAPH_LEX_LEAST_H_
