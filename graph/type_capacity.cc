// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "graph/type_capacity.h"

#include <string>

std::string CapacityProblem(int g, int n) { return CapacityProblem(g, n, std::to_string(g), std::to_string(n)); }

std::string CapacityProblem(int g, int n, const std::string& g_text, const std::string& n_text) {
  if (g < 0) return "the genus must not be negative (got " + g_text + ")";
  if (n < 0) return "the number of marked points must not be negative (got " + n_text + ")";
  if (g > 8) return "genus " + g_text + " is beyond the limit of 8 that a graph can hold";
  long long colored = 3LL * g + n - 2;  // bounds K plus the pairs with multiple edges
  if (colored > 31) {
    return "type (" + g_text + ", " + n_text +
           ") is beyond the limit 3 * genus + marked_points - 2 <= 31 (nauty takes at most 31 coloured vertices)";
  }
  return "";
}

std::string NoStableGraphs(int g, int n) {
  if (2LL * g - 2 + n > 0) return "";
  return "type (" + std::to_string(g) + ", " + std::to_string(n) +
         ") has no stable graphs: 2 * genus + marked_points must be at least 3";
}
