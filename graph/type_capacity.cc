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
#include "graph/type_capacity.h"

#include <string>

#include "graph/graph.h"

long long MaxColoredVertices(long long g, long long n) { return 3 * g + n - 2 - (n < 2 ? 1 : 0); }

bool TypeFitsCapacity(long long g, long long n) {
  return g >= 0 && n >= 0 && MaxColoredVertices(g, n) <= kMaxColoredVertices;
}

std::string CapacityProblem(int g, int n) { return CapacityProblem(g, n, std::to_string(g), std::to_string(n)); }

std::string CapacityProblem(int g, int n, const std::string& g_text, const std::string& n_text) {
  if (g < 0) return "the genus must not be negative (got " + g_text + ")";
  if (n < 0) return "the number of marked points must not be negative (got " + n_text + ")";
  if (TypeFitsCapacity(g, n)) return "";
  return "type (" + g_text + ", " + n_text + ") is beyond the capacity: its graphs need up to " +
         std::to_string(MaxColoredVertices(g, n)) + " coloured vertices, nauty takes at most " +
         std::to_string(kMaxColoredVertices) +
         " (3 * genus + marked_points - 2 <= 32, or <= 33 with fewer than 2 marked points)";
}

std::string NoStableGraphs(int g, int n) {
  if (2LL * g - 2 + n > 0) return "";
  return "type (" + std::to_string(g) + ", " + std::to_string(n) +
         ") has no stable graphs: 2 * genus + marked_points must be at least 3";
}
