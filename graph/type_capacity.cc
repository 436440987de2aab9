// Copyright 2026 The stable-graphs Authors.
#include "graph/type_capacity.h"

#include <string>

std::string CapacityProblem(int g, int n) {
  if (g < 0) return "the genus must not be negative (got " + std::to_string(g) + ")";
  if (n < 0) return "the number of marked points must not be negative (got " + std::to_string(n) + ")";
  if (g > 8) return "genus " + std::to_string(g) + " is beyond the limit of 8 that a graph can hold";
  long long colored = 3LL * g + n - 2;  // bounds K plus the pairs with multiple edges
  if (colored > 31) {
    return "type (" + std::to_string(g) + ", " + std::to_string(n) +
           ") is beyond the limit 3 * genus + marked_points - 2 <= 31 (nauty takes at most 31 coloured vertices)";
  }
  return "";
}
