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

#include "computer/parallel_runner.h"
#include "homology/rank_modulo_prime.h"

RationalRank RankOverQ(const SparseMatrix& matrix, int threads) {
  RationalRank result;
  size_t first[2] = {0, 0};
  if (!matrix.entries.empty())
    RunInParallel(2, threads, [&](size_t i) { first[i] = RankModuloPrime(matrix, kRankPrimes[i]); });
  result.modulo = {{kRankPrimes[0], first[0]}, {kRankPrimes[1], first[1]}};
  if (!result.agree()) result.modulo.emplace_back(kRankPrimes[2], RankModuloPrime(matrix, kRankPrimes[2]));
  for (const auto& prime_rank : result.modulo) result.rank = std::max(result.rank, prime_rank.second);
  return result;
}
