// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
//
// What the ranks prove.  Reducing an integer matrix modulo p cannot raise
// its rank, so every rank modulo a prime is at most the rank over Q, and
// the largest found is the best lower bound; the Betti numbers made from
// it, dim C_k - rank d_k - rank d_{k+1}, are at least the true ones.  The
// rank modulo p falls short only when p divides every maximal nonzero
// minor, a nonzero integer; for a prime near 2^32 unrelated to the matrix
// that is very unlikely, and for two such primes at once more so.  It is
// not a proof of equality: that would take the rank over Q itself (a
// certificate, or a rank modulo enough primes to exceed Hadamard's bound).
#include "homology/rational_rank.h"

#include <algorithm>

#include "homology/rank_modulo_prime.h"

RationalRank RankOverQ(const SparseMatrix& matrix) {
  RationalRank result;
  for (uint32_t prime : kRankPrimes) {
    if (result.modulo.size() == 2 && result.agree()) break;
    size_t rank = matrix.entries.empty() ? 0 : RankModuloPrime(matrix, prime);
    result.modulo.emplace_back(prime, rank);
    result.rank = std::max(result.rank, rank);
  }
  return result;
}
