// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_HOMOLOGY_CELL_BASIS_H_
#define STABLE_GRAPHS_HOMOLOGY_CELL_BASIS_H_

#include <stddef.h>
#include <stdint.h>

#include <optional>
#include <string>
#include <vector>

#include "printers/graph_id.h"

/// The cells of one degree of a chain complex in basis order: the
/// canonical key (StratumKey) of each cell's graph and the Id the graph
/// has in a run.  Keys are kept end to end in one buffer, since a degree
/// can hold millions of cells.
class CellBasis {
 public:
  /// Appends a cell.
  void Add(const std::string& key, const GraphId& id);
  /// Prepares Find once every cell is added; throws std::logic_error if a
  /// key came twice (a graph enumerated twice).
  void Seal();
  /// The place of the cell with `key`, if it is in the basis; after Seal.
  std::optional<uint32_t> Find(const std::string& key) const;

  size_t size() const { return ids_.size(); }
  /// The key of cell i.
  std::string Key(size_t i) const { return keys_.substr(starts_[i], starts_[i + 1] - starts_[i]); }
  /// The Id of cell i's graph.
  const GraphId& Id(size_t i) const { return ids_[i]; }

 private:
  int compare(uint32_t cell, uint32_t other) const;
  int compare(uint32_t cell, const std::string& key) const;

  std::string keys_;
  std::vector<uint64_t> starts_{0};
  std::vector<GraphId> ids_;
  std::vector<uint32_t> sorted_;  // the cells in the order of their keys
  bool sealed_ = false;
};

#endif  // STABLE_GRAPHS_HOMOLOGY_CELL_BASIS_H_
