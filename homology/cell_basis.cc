// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "homology/cell_basis.h"

#include <string.h>

#include <algorithm>
#include <limits>
#include <stdexcept>

void CellBasis::Add(const std::string& key, const GraphId& id) {
  if (ids_.size() >= std::numeric_limits<uint32_t>::max())
    throw std::length_error("a degree of the boundary complex has more than 2^32 - 1 cells");
  keys_ += key;
  starts_.push_back(keys_.size());
  ids_.push_back(id);
  sealed_ = false;
}

namespace {

/// Orders byte strings as std::string does.
int compare_bytes(const char* a, size_t a_size, const char* b, size_t b_size) {
  int order = memcmp(a, b, std::min(a_size, b_size));
  if (order != 0) return order;
  return a_size < b_size ? -1 : (a_size > b_size ? 1 : 0);
}

}  // namespace

int CellBasis::compare(uint32_t cell, uint32_t other) const {
  return compare_bytes(keys_.data() + starts_[cell], starts_[cell + 1] - starts_[cell],
                       keys_.data() + starts_[other], starts_[other + 1] - starts_[other]);
}

int CellBasis::compare(uint32_t cell, const std::string& key) const {
  return compare_bytes(keys_.data() + starts_[cell], starts_[cell + 1] - starts_[cell], key.data(), key.size());
}

void CellBasis::Seal() {
  sorted_.resize(size());
  for (uint32_t i = 0; i < sorted_.size(); ++i) sorted_[i] = i;
  std::sort(sorted_.begin(), sorted_.end(), [this](uint32_t a, uint32_t b) { return compare(a, b) < 0; });
  for (size_t i = 1; i < sorted_.size(); ++i)
    if (compare(sorted_[i - 1], sorted_[i]) == 0)
      throw std::logic_error("a cell of the boundary complex came twice: its graph was enumerated twice");
  sealed_ = true;
}

std::optional<uint32_t> CellBasis::Find(const std::string& key) const {
  if (!sealed_) throw std::logic_error("CellBasis::Find before Seal");
  auto at = std::lower_bound(sorted_.begin(), sorted_.end(), key,
                             [this](uint32_t cell, const std::string& k) { return compare(cell, k) < 0; });
  if (at == sorted_.end() || compare(*at, key) != 0) return std::nullopt;
  return *at;
}
