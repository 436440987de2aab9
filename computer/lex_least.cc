// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "computer/lex_least.h"

namespace {

uint64_t position_bit(int p) { return uint64_t{1} << p; }

/// The first cell start after position p.
int next_start(uint64_t starts, int p) { return p + 1 + __builtin_ctzll(starts >> (p + 1)); }

}  // namespace

LexLeastTest::LexLeastTest(const Graph& decoration) : K_(decoration.K), block_starts_(0) {
  for (int p = 0; p < K_; ++p) {
    bool same = p > 0 && decoration.genus[p] == decoration.genus[p - 1] &&
                decoration.marked_points[p] == decoration.marked_points[p - 1] &&
                decoration.loops[p] == decoration.loops[p - 1];
    if (!same) block_starts_ |= position_bit(p);
  }
  block_starts_ |= position_bit(K_);  // a sentinel: every cell ends
}

bool LexLeastTest::IsLeast(const Graph& graph) {
  // Row K - 1 has no entry above the diagonal: K - 1 positions decide.
  return MayBecomeLeast(graph, K_);
}

bool LexLeastTest::MayBecomeLeast(const Graph& graph, int rows) {
  adjacency_ = graph.adjacency;
  // With rows 0 .. K - 2 final, the last row is final too.
  known_ = rows >= K_ - 1 ? K_ : rows;
  depth_limit_ = rows >= K_ - 1 ? K_ - 1 : rows;
  branches_ = 0;
  if (depth_limit_ <= 0) return true;
  starts_[0] = block_starts_;
  for (int p = 0; p < K_; ++p) order_[0][p] = static_cast<int8_t>(p);
  return !smaller_below(0);
}

// The vertex that stays in place comes first, so a least graph walks its
// own labelling before any other branch.
bool LexLeastTest::smaller_below(int depth) {
  const int end = next_start(starts_[depth], depth);
  bool split = false;
  for (int q = depth; q < end; ++q) {
    int v = order_[depth][q];
    if (v >= known_) continue;
    ++branches_;
    int sign = compare_row(depth, v, q);
    if (sign < 0) return true;
    if (sign > 0 || depth + 1 == depth_limit_) continue;
    if (!split) {
      starts_[depth + 1] = split_cells(depth);
      split = true;
    }
    if (smaller_below(depth + 1)) return true;
  }
  return false;
}

// Vertex v takes position `depth` from the vertex at position q; each cell
// after it is sorted by v's multiplicities and compared, cell by cell, with
// the graph's own row.  The sorted cells become the next position's order.
int LexLeastTest::compare_row(int depth, int v, int q) {
  const int8_t* from = order_[depth];
  int8_t* to = order_[depth + 1];
  for (int p = depth + 1; p < K_; ++p) to[p] = from[p];
  if (q != depth) to[q] = from[depth];
  const int8_t* row = adjacency_[v];
  const int8_t* own = adjacency_[depth];
  const uint64_t starts = starts_[depth];
  for (int p = depth + 1; p < K_;) {
    const int cell_end = next_start(starts, p);
    for (int s = p + 1; s < cell_end; ++s) {
      int8_t moving = to[s];
      int t = s;
      for (; t > p && row[to[t - 1]] > row[moving]; --t) to[t] = to[t - 1];
      to[t] = moving;
    }
    for (; p < cell_end; ++p) {
      int difference = row[to[p]] - own[p];
      if (difference != 0) return difference;
    }
  }
  return 0;
}

uint64_t LexLeastTest::split_cells(int depth) const {
  uint64_t starts = starts_[depth] | position_bit(depth + 1);
  const int8_t* own = adjacency_[depth];
  for (int p = depth + 2; p < K_; ++p)
    if (own[p] != own[p - 1]) starts |= position_bit(p);
  return starts;
}
