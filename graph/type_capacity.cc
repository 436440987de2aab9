// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
//
// The bound is reached: with n >= 2 marked points, a chain of g pairs joined
// by double edges, linked by single edges and closed by a marked point at
// each end, has 2g trivalent genus-0 components and g edge vertices, and
// each further point adds a component.  With fewer points the pairs close
// into a ring (the double edges alternating with single ones), one vertex
// fewer.  No graph does better: the components number at most 2g - 2 + n
// and the doubled pairs at most the first Betti number, at most g; both at
// once make every component a trivalent genus-0 one lying in at most one
// doubled pair, so 2g <= 2g - 2 + n.
//
// With E edges: a connected graph of K components joins at least K - 1
// pairs, and each doubled pair takes one edge more, so K plus the doubled
// pairs is at most E + 1.
#include "graph/type_capacity.h"

#include <algorithm>
#include <string>

#include "graph/graph.h"

long long MaxColoredVertices(long long g, long long n) { return 3 * g + n - 2 - (n < 2 ? 1 : 0); }

long long MaxColoredVertices(long long g, long long n, std::optional<long long> edges) {
  long long most = MaxColoredVertices(g, n);
  return edges ? std::min(most, *edges + 1) : most;
}

bool TypeFitsCapacity(long long g, long long n, std::optional<long long> edges) {
  return g >= 0 && n >= 0 && g <= kMaxGenus && n <= kMaxMarkedPoints &&
         MaxColoredVertices(g, n, edges) <= kMaxColoredVertices;
}

std::string CapacityProblem(long long g, long long n, std::optional<long long> edges) {
  if (g < 0) return "the genus must not be negative (got " + std::to_string(g) + ")";
  if (n < 0) return "the number of marked points must not be negative (got " + std::to_string(n) + ")";
  std::string type = "type (" + std::to_string(g) + ", " + std::to_string(n) + ")";
  long long colored = MaxColoredVertices(g, n, edges);
  if (colored > kMaxColoredVertices && !edges)
    return type + " is beyond the capacity: its graphs need up to " + std::to_string(colored) +
           " coloured vertices, nauty takes at most " + std::to_string(kMaxColoredVertices) +
           " (3 * genus + marked_points - 2 <= 32, or <= 33 with fewer than 2 marked points)";
  if (colored > kMaxColoredVertices)
    return type + " is beyond the capacity: its graphs of " + std::to_string(*edges) + " edges need up to " +
           std::to_string(colored) + " coloured vertices, nauty takes at most " +
           std::to_string(kMaxColoredVertices) +
           " (the number of edges + 1, or 3 * genus + marked_points - 2 if less, or one less with fewer than 2 "
           "marked points, must be at most 32)";
  if (g > kMaxGenus || n > kMaxMarkedPoints)
    return type + " is beyond the capacity: a graph's record holds genus at most " + std::to_string(kMaxGenus) +
           " and at most " + std::to_string(kMaxMarkedPoints) + " marked points";
  return "";
}

std::string NoStableGraphs(int g, int n) {
  if (2LL * g - 2 + n > 0) return "";
  return "type (" + std::to_string(g) + ", " + std::to_string(n) +
         ") has no stable graphs: 2 * genus + marked_points must be at least 3";
}
