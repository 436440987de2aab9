// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "graph/graph_printer.h"

#include <stdexcept>

std::optional<int> CheckedCodimension(std::optional<int> codimension) {
  if (codimension && *codimension < 0)
    throw std::invalid_argument("a printer's codimension is a number of edges, not " + std::to_string(*codimension) +
                                " (std::nullopt prints every graph)");
  return codimension;
}
