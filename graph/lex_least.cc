// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "graph/lex_least.h"

#include <algorithm>

#include "graph/tool_order.h"

namespace {

uint64_t position_bit(int p) { return uint64_t{1} << p; }

/// The first cell start after position p.
int next_start(uint64_t starts, int p) { return p + 1 + __builtin_ctzll(starts >> (p + 1)); }

}  // namespace

LexLeastTest::LexLeastTest(const Graph& decoration) : K_(decoration.K), block_starts_(0) {
  for (int p = 0; p < K_; ++p)
    if (p == 0 || CompareDecorations(decoration, p - 1, decoration, p) != 0) block_starts_ |= position_bit(p);
  block_starts_ |= position_bit(K_);  // a sentinel: every cell ends
  for (int p = 0; p < K_; ++p) identity_[p] = static_cast<int8_t>(p);
}

bool LexLeastTest::IsLeast(const Graph& graph) {
  valid_level_ = 0;
  // Row K - 1 has no entry above the diagonal: K - 1 positions decide.
  return !smaller_after(graph, 0, K_, K_ - 1, -1);
}

bool LexLeastTest::MayBecomeLeast(const Graph& graph, int rows) {
  // With rows 0 .. K - 2 final, the last row is final too.
  if (rows >= K_ - 1) return IsLeast(graph);
  valid_level_ = 0;
  return !smaller_after(graph, 0, rows, rows, -1);
}

bool LexLeastTest::MayBecomeLeastAfterRow(const Graph& graph, int rows) {
  if (rows >= K_ - 1) return IsLeastAfterRows(graph, rows - 1);
  int level = std::min(rows - 1, valid_level_);
  bool smaller = smaller_after(graph, level, rows, rows, rows);
  valid_level_ = smaller ? level : rows;
  return !smaller;
}

bool LexLeastTest::IsLeastAfterRows(const Graph& graph, int final_rows) {
  int level = std::min(final_rows, valid_level_);
  valid_level_ = level;
  return !smaller_after(graph, level, K_, K_ - 1, -1);
}

// Along the graph's own labelling the order is the identity, and the row a
// vertex gives in place is the graph's own row sorted within the cells:
// equal exactly when the row is sorted.  The branch-offs are taken from the
// last position back, so that every relabelling found equal so far leaves
// the positions before the current one in place: the branch-offs of a
// position are then tried one per orbit.
bool LexLeastTest::smaller_after(const Graph& graph, int level, int known, int limit, int keep_level) {
  adjacency_ = graph.adjacency;
  known_ = known;
  depth_limit_ = limit;
  const State& old = states_[level];
  State* keep = keep_level >= 0 ? &states_[keep_level] : nullptr;
  if (keep != nullptr) {
    keep->known = known;
    keep->limit = limit;
  }
  if (limit <= 0) return false;
  starts_[0] = block_starts_;
  for (int r = old.limit; r < limit; ++r) {
    if (r > 0) starts_[r] = split_cells(r - 1);
    ++branches_;
    if (!sorted_within_cells(r)) return true;
  }
  for (int p = 0; p < K_; ++p) orbit_parent_[p] = path_[p] = static_cast<int8_t>(p);
  for (int r = limit - 1; r >= 0; --r) {
    const int end = std::min(next_start(starts_[r], r), known);
    int tried[kMaxComponents];
    int tried_count = 0;
    tried[tried_count++] = r;
    uint64_t open = 0;
    for (int u = r + 1; u < end; ++u) {
      bool fresh = r >= old.limit || u >= old.known;
      if (!fresh && !(old.open[r] & position_bit(u))) continue;  // above the graph for good
      bool repeat = false;
      for (int t = 0; t < tried_count && !repeat; ++t) repeat = orbit_root(tried[t]) == orbit_root(u);
      if (repeat) {
        open |= position_bit(u);
        continue;
      }
      tried[tried_count++] = u;
      ++branches_;
      int sign = compare_row(r, u, u, identity_);
      if (sign < 0) return true;
      if (sign > 0) continue;
      open |= position_bit(u);
      path_[r] = static_cast<int8_t>(u);
      if (r + 1 == limit)
        record_equal_relabelling();
      else if (smaller_moved(r + 1) == Branch::kSmaller)
        return true;
    }
    if (keep != nullptr) keep->open[r] = open;
  }
  return false;
}

// A branch that meets a relabelling equal in every compared row ends
// there: that relabelling maps the branch onto the one the graph's own
// labelling took at the same position, which held nothing smaller.
LexLeastTest::Branch LexLeastTest::smaller_moved(int depth) {
  const int end = next_start(starts_[depth], depth);
  for (int q = depth; q < end; ++q) {
    int v = order_[depth][q];
    if (v >= known_) continue;
    ++branches_;
    int sign = compare_row(depth, v, q, order_[depth]);
    if (sign < 0) return Branch::kSmaller;
    if (sign > 0) continue;
    path_[depth] = static_cast<int8_t>(v);
    if (depth + 1 == depth_limit_) {
      record_equal_relabelling();
      return Branch::kEqual;
    }
    Branch below = smaller_moved(depth + 1);
    if (below != Branch::kNone) return below;
  }
  return Branch::kNone;
}

bool LexLeastTest::sorted_within_cells(int depth) const {
  const int8_t* own = adjacency_[depth];
  const uint64_t starts = starts_[depth];
  for (int p = depth + 2; p < K_; ++p)
    if (!(starts & position_bit(p)) && own[p] < own[p - 1]) return false;
  return true;
}

// The relabelling puts path_[p] at each compared position p and the cells
// after them as the last comparison sorted them; it keeps every
// multiplicity at a vertex of final row, so it maps branches of the test
// onto branches with the same outcome.
void LexLeastTest::record_equal_relabelling() {
  for (int p = 0; p < K_; ++p) {
    int image = p < depth_limit_ ? path_[p] : order_[depth_limit_][p];
    int a = orbit_root(p), b = orbit_root(image);
    if (a != b) orbit_parent_[a > b ? a : b] = static_cast<int8_t>(a < b ? a : b);
  }
}

int LexLeastTest::orbit_root(int v) {
  while (orbit_parent_[v] != v) {
    orbit_parent_[v] = orbit_parent_[orbit_parent_[v]];
    v = orbit_parent_[v];
  }
  return v;
}

// Vertex v takes position `depth` from the vertex at position q; each cell
// after it is sorted by v's multiplicities and compared, cell by cell, with
// the graph's own row, so that a difference spares sorting the cells after
// it.  The sorted cells become the next position's order.
int LexLeastTest::compare_row(int depth, int v, int q, const int8_t* from) {
  int8_t* to = order_[depth + 1];
  const int8_t* row = adjacency_[v];
  const int8_t* own = adjacency_[depth];
  const uint64_t starts = starts_[depth];
  for (int p = depth + 1; p < K_;) {
    const int cell_end = next_start(starts, p);
    for (int s = p; s < cell_end; ++s) {
      int8_t moving = s == q ? from[depth] : from[s];
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
