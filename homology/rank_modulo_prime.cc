// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
//
// The only file that includes LinBox: its headers are heavy to compile and
// bring their own warnings, so nothing else sees them.
//
// LinBox's sparse elimination looks, at every step, at every row left
// (for the sparsest, and for the pivot's column), so its time grows with
// the square of the number of rows whatever their density: the matrix is
// handed over with its shorter side as rows, transposed when that is its
// columns (the rank is the same).
#include "homology/rank_modulo_prime.h"

#include <givaro/modular.h>
#include <linbox/matrix/sparse-matrix.h>
#include <linbox/solutions/rank.h>

#include <stdexcept>

namespace {

using Field = Givaro::Modular<uint32_t, uint64_t>;
using LinBoxMatrix = LinBox::SparseMatrix<Field, LinBox::SparseMatrixFormat::SparseSeq>;

/// `value` modulo `prime`, in 0 .. prime - 1.
uint32_t residue(int64_t value, uint32_t prime) {
  int64_t r = value % static_cast<int64_t>(prime);
  return static_cast<uint32_t>(r < 0 ? r + prime : r);
}

}  // namespace

size_t RankModuloPrime(const SparseMatrix& matrix, uint32_t prime) {
  if (prime < 2) throw std::invalid_argument("a rank modulo " + std::to_string(prime) + " was asked for");
  if (matrix.rows == 0 || matrix.columns == 0 || matrix.entries.empty()) return 0;
  Field field(prime);
  const bool transpose = matrix.columns < matrix.rows;
  LinBoxMatrix linbox(field, transpose ? matrix.columns : matrix.rows, transpose ? matrix.rows : matrix.columns);
  // Entries come by column, then row: by rows of the transpose directly,
  // by rows of the matrix itself in ascending column within each row.
  for (const SparseMatrix::Entry& entry : matrix.entries) {
    uint32_t value = residue(entry.value, prime);
    if (value == 0) continue;
    if (transpose)
      linbox.getRow(entry.column).emplace_back(entry.row, value);
    else
      linbox.getRow(entry.row).emplace_back(entry.column, value);
  }
  size_t rank = 0;
  LinBox::rankInPlace(rank, linbox, LinBox::Method::SparseElimination());
  return rank;
}
