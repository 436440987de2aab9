// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "graph/graph_printer.h"

std::string SectionProblem(const PrintedSoFar& printed, int edge_filter, int codimension, int number, int initial,
                           const char* what) {
  const std::vector<mpz_class>& counts = printed.per_codimension;
  mpz_class total = 0;
  for (size_t c = 0; c < counts.size(); ++c)
    if (edge_filter == -1 || static_cast<int>(c) == edge_filter) total += counts[c];
  if (total == 0) {
    if (codimension == initial && number == 0) return "";
    return std::string(what) + " is under way, but no graph was printed";
  }
  std::string section = "codimension " + std::to_string(codimension);
  if (codimension < 0 || static_cast<size_t>(codimension) >= counts.size() ||
      (edge_filter != -1 && codimension != edge_filter) || counts[static_cast<size_t>(codimension)] == 0)
    return std::string(what) + " is at " + section + ", of which no graph was printed";
  if (number < 1 || number > counts[static_cast<size_t>(codimension)])
    return std::string(what) + " is at graph " + std::to_string(number) + " of " + section + ", of which " +
           counts[static_cast<size_t>(codimension)].get_str() + " were printed";
  return "";
}
