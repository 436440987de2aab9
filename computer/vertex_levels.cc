// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
//
// The vertex levels of the backtracking generator: genus, marked points and
// loops of every vertex.  Each complete assignment becomes an EdgeTask that
// places the edges.
//
// Vertices are kept sorted by (genus, marked points, loops, edges in
// generation order): a vertex whose bit in distinct_mask is clear still
// equals its predecessor in everything fixed so far, so its next attribute
// is bounded below by the predecessor's.  The upper bounds prune branches
// that cannot reach total genus g, n marked points, a stable valence at
// every genus-0 vertex and a connected graph.  The nesting of the levels
// makes the tasks in ascending order of decoration, and no rule or bound
// cuts the least relabelling of a class: graph/lex_least.h proves both.
#include "computer/vertex_levels.h"

#include <algorithm>

namespace {

uint32_t vertex_bit(int v) { return uint32_t{1} << v; }

/// Narrows the range lo .. hi to the one value x (empty if x is outside).
void pin(int& lo, int& hi, int x) {
  lo = std::max(lo, x);
  hi = std::min(hi, x);
}

}  // namespace

std::unique_ptr<EdgeTask> MakeEdgeTask(const PartialGraph& start, const SearchSettings& settings, SearchPoint from) {
  auto task = std::make_unique<EdgeTask>(start, settings.moduli_type, settings.search, from, settings.bounds);
  if (settings.count_labelled) task->labelled = std::make_unique<LabelledTally>();
  return task;
}

VertexLevels::VertexLevels(int g_, int n_, const SearchSettings& settings)
    : g(g_), n(n_), settings_(settings), work_graph(-1, -1, -1) {
  work_graph.g = g;
  work_graph.n = n;
}

std::vector<std::unique_ptr<EdgeTask>> VertexLevels::TasksOfPass(int K) {
  work_graph.Clear(static_cast<int8_t>(K));
  bt_g(0);
  std::stable_sort(tasks_.begin(), tasks_.end(),
                   [](const std::unique_ptr<EdgeTask>& a, const std::unique_ptr<EdgeTask>& b) {
                     return a->codimension() < b->codimension();
                   });
  return std::move(tasks_);
}

void VertexLevels::bt_g(int v) {
  PartialGraph& w = work_graph;
  if (v == w.K) {
    bt_m(0);
    return;
  }
  int lo = (v == 0 || (w.distinct_mask & vertex_bit(v))) ? 0 : w.genus[v - 1];
  int left = g - w.partial_genus;
  // The genus not yet handed out, shared by the K - v remaining vertices,
  // none of lower genus; and the stability budget: sum over vertices of
  // 2 genus - 2 + valence is 2g - 2 + n.
  int hi = std::min((left - w.K + 1) / (w.K - v),
                    (2 * left - w.K + n - 2 * w.genus_zero_count) / (2 * (w.K - v)));
  int first = lo;  // lo stays the order's bound, which decides distinct_mask
  bound_genus_by_moduli_type(v, first, hi);
  if (settings_.bounds.rational_vertices) hi = std::min(hi, 0);
  if (first > hi) return;
  uint32_t mask = w.distinct_mask;
  for (int x = first; x <= hi; ++x) {
    w.genus[v] = static_cast<int8_t>(x);
    if (x == 0)
      ++w.genus_zero_count;
    else
      w.partial_genus = static_cast<int8_t>(w.partial_genus + x);
    if (x > lo) w.distinct_mask |= vertex_bit(v);
    bt_g(v + 1);
    if (x == 0)
      --w.genus_zero_count;
    else
      w.partial_genus = static_cast<int8_t>(w.partial_genus - x);
    w.distinct_mask = mask;
  }
}

void VertexLevels::bt_m(int v) {
  PartialGraph& w = work_graph;
  if (v == w.K) {
    bt_l(0);
    return;
  }
  bool zero = v < w.genus_zero_count;
  int order_lo = (v == 0 || (w.distinct_mask & vertex_bit(v))) ? 0 : w.marked_points[v - 1];
  int lo = order_lo;
  int hi = n - w.partial_marked_points;
  if (zero) {
    // Later genus-0 vertices carry at least as many marked points.
    hi = (n - w.partial_marked_points) / (w.genus_zero_count - v);
    // Each genus-0 vertex needs 3 - min(marked, 2) edge ends, every other
    // vertex one; the 2E ends of the E edges must suffice.
    int edges = g - w.partial_genus;
    int t = w.K + 2 * v + 2 - 2 * edges - w.valence_cap2_sum;
    if (t > 2) return;
    lo = std::max(order_lo, t);
  }
  if (lo > hi) return;
  uint32_t mask = w.distinct_mask;
  for (int x = lo; x <= hi; ++x) {
    if (v == w.K - 1 && x != hi) continue;  // the last vertex takes the rest
    w.marked_points[v] = static_cast<int8_t>(x);
    if (x > order_lo) w.distinct_mask |= vertex_bit(v);
    w.partial_marked_points = static_cast<int8_t>(w.partial_marked_points + x);
    if (zero) w.valence_cap2_sum = static_cast<int8_t>(w.valence_cap2_sum + std::min(x, 2));
    w.valence[v] = static_cast<int8_t>(w.valence[v] + x);
    bt_m(v + 1);
    w.valence[v] = static_cast<int8_t>(w.valence[v] - x);
    if (zero) w.valence_cap2_sum = static_cast<int8_t>(w.valence_cap2_sum - std::min(x, 2));
    w.partial_marked_points = static_cast<int8_t>(w.partial_marked_points - x);
    w.distinct_mask = mask;
  }
}

// A graph whose edges between distinct vertices form a tree has first
// Betti number 0 and K - 1 such edges, so its genera (and loops, for the
// tree-like ones) add up to g.  The vertices are sorted by genus: rational
// tails put all of g on the last one.  The smooth locus has no graph of two
// vertices or more (its one vertex is made by one_vertex_pass).
void VertexLevels::bound_genus_by_moduli_type(int v, int& lo, int& hi) const {
  const PartialGraph& w = work_graph;
  int rest = g - (w.partial_genus + w.K - 1);  // g minus the genera handed out
  bool last = v == w.K - 1;
  switch (settings_.moduli_type) {
    case ModuliType::kCompactType:
      if (last) pin(lo, hi, rest);
      break;
    case ModuliType::kRationalTails: pin(lo, hi, last ? rest : 0); break;
    case ModuliType::kSmooth: hi = lo - 1; break;
    case ModuliType::kStable:
    case ModuliType::kTreeLike: break;
  }
}

// The trees have no loops; a tree-like graph's last vertex takes every loop
// that the K - 1 edges of the tree leave.
void VertexLevels::bound_loops_by_moduli_type(int v, int& lo, int& hi) const {
  const PartialGraph& w = work_graph;
  switch (settings_.moduli_type) {
    case ModuliType::kStable: break;
    case ModuliType::kTreeLike:
      if (v == w.K - 1) pin(lo, hi, g - w.partial_genus - (w.K - 1));
      break;
    case ModuliType::kCompactType:
    case ModuliType::kRationalTails:
    case ModuliType::kSmooth: hi = std::min(hi, 0); break;
  }
}

// Tasks of another codimension than the one asked for would drop every
// candidate before any counter moves, so they are not made at all.
void VertexLevels::add_edge_task() {
  if (settings_.codimension && EdgeTask::CodimensionOf(work_graph) != *settings_.codimension) return;
  tasks_.push_back(MakeEdgeTask(work_graph, settings_));
}

void VertexLevels::bt_l(int v) {
  PartialGraph& w = work_graph;
  if (v == w.K) {
    for (int m = 0; m <= g + 1; ++m) w.multiplicity_count[m] = 0;
    int cap3 = 0;
    for (int u = 0; u < w.genus_zero_count; ++u) cap3 += std::min<int>(w.valence[u], 3);
    w.valence_cap3_sum = static_cast<int8_t>(cap3);
    add_edge_task();
    return;
  }
  bool zero = v < w.genus_zero_count;
  int order_lo = (v == 0 || (w.distinct_mask & vertex_bit(v))) ? 0 : w.loops[v - 1];
  int edges = g - w.partial_genus;
  // Keep K - 1 non-loop edges for connectivity, and enough for an earlier
  // genus-0 vertex that is still short of valence 3.
  int hi = std::min(edges - (w.K - 1), edges + w.min_valence_cap2 - 3);
  int lo = order_lo;
  if (zero) {
    int m = w.marked_points[v];
    hi = std::min(hi, (2 * edges - w.K - 2 * w.genus_zero_count + w.valence_cap2_sum + std::max(2 - m, 0)) / 2);
    lo = std::max(order_lo, 3 - m - edges);
  }
  bound_loops_by_moduli_type(v, lo, hi);
  if (settings_.bounds.max_loops) hi = std::min(hi, *settings_.bounds.max_loops);
  if (lo > hi) return;
  uint32_t mask = w.distinct_mask;
  for (int x = lo; x <= hi; ++x) {
    w.SetLoops(v, x);
    int8_t saved_cap2_sum = w.valence_cap2_sum;
    int8_t saved_min_cap2 = w.min_valence_cap2;
    if (x > 0) {
      if (x > order_lo) w.distinct_mask |= vertex_bit(v);
      w.partial_genus = static_cast<int8_t>(w.partial_genus + x);
      if (zero) {
        w.valence_cap2_sum = static_cast<int8_t>(w.valence_cap2_sum - std::min<int>(w.valence[v], 2) +
                                                 std::min(w.valence[v] + 2 * x, 2));
      }
      w.valence[v] = static_cast<int8_t>(w.valence[v] + 2 * x);
    }
    if (zero) w.min_valence_cap2 = static_cast<int8_t>(std::min<int>(w.min_valence_cap2, std::min<int>(w.valence[v], 2)));
    bt_l(v + 1);
    w.min_valence_cap2 = saved_min_cap2;
    if (x > 0) {
      w.valence[v] = static_cast<int8_t>(w.valence[v] - 2 * x);
      w.valence_cap2_sum = saved_cap2_sum;
      w.partial_genus = static_cast<int8_t>(w.partial_genus - x);
      w.distinct_mask = mask;
    }
  }
}
