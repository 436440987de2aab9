// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "computer/compact_graphs.h"

#include <assert.h>
#include <string.h>

#include <utility>

// A multiplicity, at most g + 1, takes four bits.
static_assert(kMultiplicitySlots <= 16, "multiplicities fit a nibble");

CompactGraphs::CompactGraphs(const Graph& decoration)
    : g_(decoration.g), n_(decoration.n), K_(decoration.K) {
  memcpy(genus_, decoration.genus, K_);
  memcpy(marked_points_, decoration.marked_points, K_);
  memcpy(loops_, decoration.loops, K_);
  size_t pairs = static_cast<size_t>(K_) * (K_ - 1) / 2;
  record_bytes_ = (pairs + 1) / 2;
}

void CompactGraphs::Append(const Graph& graph) {
  size_t start = packed_.size();
  packed_.resize(start + record_bytes_, 0);
  uint8_t* record = packed_.data() + start;
  size_t pair = 0;
  for (int i = 0; i < K_; ++i) {
    for (int j = i + 1; j < K_; ++j, ++pair) {
      int multiplicity = graph.adjacency[i][j];
      assert(multiplicity >= 0 && multiplicity < kMultiplicitySlots);  // at most g + 1
      record[pair / 2] |= static_cast<uint8_t>(multiplicity << (4 * (pair % 2)));
    }
  }
  ++count_;
}

bool CompactGraphs::Assign(std::vector<uint8_t> bytes, size_t count) {
  if (record_bytes_ == 0 ? !bytes.empty() : bytes.size() / record_bytes_ != count || bytes.size() % record_bytes_ != 0)
    return false;
  packed_ = std::move(bytes);
  count_ = count;
  return true;
}

void CompactGraphs::Expand(size_t index, Graph& out) const {
  out.g = g_;
  out.n = n_;
  out.K = K_;
  memcpy(out.genus, genus_, K_);
  memcpy(out.marked_points, marked_points_, K_);
  memcpy(out.loops, loops_, K_);
  int edges = 0;
  for (int i = 0; i < K_; ++i) {
    out.adjacency[i][i] = loops_[i];
    edges += loops_[i];
  }
  const uint8_t* record = packed_.data() + index * record_bytes_;
  size_t pair = 0;
  for (int i = 0; i < K_; ++i) {
    for (int j = i + 1; j < K_; ++j, ++pair) {
      int multiplicity = (record[pair / 2] >> (4 * (pair % 2))) & 0xF;
      out.adjacency[i][j] = out.adjacency[j][i] = static_cast<int8_t>(multiplicity);
      edges += multiplicity;
    }
  }
  out.codimension = static_cast<int8_t>(edges);
}
