// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "stream/canonical_order_check.h"

#include "graph/colour_refinement.h"

namespace {

/// <0, 0 or >0 as a is before, equal to or after b in the search's order
/// of one component count: genera, marked points, loops, then the upper
/// triangle row by row.
int compare_in_search_order(const Graph& a, const Graph& b) {
  const int K = a.K;
  for (int v = 0; v < K; ++v)
    if (a.genus[v] != b.genus[v]) return a.genus[v] - b.genus[v];
  for (int v = 0; v < K; ++v)
    if (a.marked_points[v] != b.marked_points[v]) return a.marked_points[v] - b.marked_points[v];
  for (int v = 0; v < K; ++v)
    if (a.loops[v] != b.loops[v]) return a.loops[v] - b.loops[v];
  for (int u = 0; u < K; ++u)
    for (int v = u + 1; v < K; ++v)
      if (a.adjacency[u][v] != b.adjacency[u][v]) return a.adjacency[u][v] - b.adjacency[u][v];
  return 0;
}

bool sorted_by_decoration(const Graph& graph) {
  for (int v = 1; v < graph.K; ++v)
    if (DecorationColour(graph, v - 1) > DecorationColour(graph, v)) return false;
  return true;
}

}  // namespace

bool CanonicalOrderCheck::same_decoration_as_test(const Graph& record) const {
  if (!least_ || decoration_.K != record.K) return false;
  for (int v = 0; v < record.K; ++v)
    if (DecorationColour(decoration_, v) != DecorationColour(record, v)) return false;
  return true;
}

std::string CanonicalOrderCheck::Check(const Graph& record) {
  if (!sorted_by_decoration(record))
    return "is not in the tool's form: its vertices are not sorted by genus, marked points and loops";
  bool section_goes_on =
      has_previous_ && previous_.K == record.K && previous_.codimension == record.codimension;
  if (section_goes_on) {
    int order = compare_in_search_order(previous_, record);
    if (order > 0 || (order == 0 && !record.labelled))
      return order == 0 ? "repeats the graph before it" : "comes before the graph before it in the tool's order";
  }
  // Consecutive records mostly share their decoration, and with it the test.
  if (!same_decoration_as_test(record)) {
    decoration_ = record;
    least_ = std::make_unique<LexLeastTest>(record);
  }
  if (!section_goes_on || compare_in_search_order(previous_, record) != 0) {
    if (!least_->IsLeast(record))
      return "is not in the tool's form: a relabelling of its vertices gives a smaller adjacency matrix";
  }
  previous_ = record;
  has_previous_ = true;
  return "";
}
