// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_HOMOLOGY_RATIONAL_RANK_H_
#define STABLE_GRAPHS_HOMOLOGY_RATIONAL_RANK_H_

#include <stddef.h>
#include <stdint.h>

#include <utility>
#include <vector>

#include "homology/sparse_matrix.h"

/// The primes ranks are taken modulo, in turn: the largest three below
/// 2^32, fixed so that every run prints the same numbers.
constexpr uint32_t kRankPrimes[] = {4294967291u, 4294967279u, 4294967231u};

/// The rank of an integer matrix over Q as far as ranks modulo primes tell.
struct RationalRank {
  /// The largest rank modulo the primes tried: at most the rank over Q,
  /// since reducing modulo a prime cannot raise a rank.
  size_t rank = 0;
  /// Each prime tried with the rank modulo it.
  std::vector<std::pair<uint32_t, size_t>> modulo;
  /// Whether the first two primes gave the same rank.
  bool agree() const { return modulo.size() < 2 || modulo[0].second == modulo[1].second; }
};

/// The rank of `matrix` modulo the first two of kRankPrimes, at once on
/// two threads when `threads` allows, and the third when those differ; the
/// largest is the rank taken.
RationalRank RankOverQ(const SparseMatrix& matrix, int threads = 1);

#endif  // STABLE_GRAPHS_HOMOLOGY_RATIONAL_RANK_H_
