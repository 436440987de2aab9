// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_HOMOLOGY_RANK_MODULO_PRIME_H_
#define STABLE_GRAPHS_HOMOLOGY_RANK_MODULO_PRIME_H_

#include <stddef.h>
#include <stdint.h>

#include "homology/sparse_matrix.h"

/// The rank of `matrix` over the field of `prime` elements, by LinBox's
/// sparse Gaussian elimination.  `prime` must be a prime below 2^32; the
/// rank over Q is at least this rank, and equal to it unless the prime
/// divides every maximal nonzero minor.
size_t RankModuloPrime(const SparseMatrix& matrix, uint32_t prime);

#endif  // STABLE_GRAPHS_HOMOLOGY_RANK_MODULO_PRIME_H_
