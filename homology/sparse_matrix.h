// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_HOMOLOGY_SPARSE_MATRIX_H_
#define STABLE_GRAPHS_HOMOLOGY_SPARSE_MATRIX_H_

#include <stddef.h>
#include <stdint.h>

#include <vector>

/// A matrix of integers given by its nonzero entries: the boundary map of
/// one degree, column c holding the boundary of cell c.
struct SparseMatrix {
  /// One nonzero entry.
  struct Entry {
    uint32_t row;
    uint32_t column;
    int32_t value;
  };

  size_t rows = 0;
  size_t columns = 0;
  /// By column, then by row; no zero value and no position twice.
  std::vector<Entry> entries;
};

#endif  // STABLE_GRAPHS_HOMOLOGY_SPARSE_MATRIX_H_
