// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "homology/rational_rank.h"

#include <gtest/gtest.h>

#include "homology/rank_modulo_prime.h"

namespace {

SparseMatrix matrix(size_t rows, size_t columns, std::vector<SparseMatrix::Entry> entries) {
  SparseMatrix m;
  m.rows = rows;
  m.columns = columns;
  m.entries = std::move(entries);
  return m;
}

TEST(RankModuloPrime, SmallMatrices) {
  EXPECT_EQ(0u, RankModuloPrime(matrix(3, 4, {}), kRankPrimes[0]));
  // Column 2 is column 0 minus column 1: rank 2, over Q and modulo any prime.
  SparseMatrix m = matrix(3, 3, {{0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {2, 1, 1}, {0, 2, 1}, {2, 2, -1}});
  EXPECT_EQ(2u, RankModuloPrime(m, kRankPrimes[0]));
  EXPECT_EQ(2u, RankModuloPrime(m, 2));
  SparseMatrix identity = matrix(2, 2, {{0, 0, 1}, {1, 1, 1}});
  EXPECT_EQ(2u, RankModuloPrime(identity, 2));
  // The transpose has the same rank; a wide matrix has at most its rows.
  SparseMatrix wide = matrix(2, 5, {{0, 0, 1}, {1, 1, 1}, {0, 2, 3}, {1, 3, -7}, {0, 4, 2}, {1, 4, 2}});
  EXPECT_EQ(2u, RankModuloPrime(wide, kRankPrimes[1]));
  // Tall and wide are handed to LinBox with their shorter side as rows.
  SparseMatrix tall = matrix(5, 2, {{0, 0, 1}, {2, 0, 3}, {4, 0, 2}, {1, 1, 1}, {3, 1, -7}, {4, 1, 2}});
  EXPECT_EQ(2u, RankModuloPrime(tall, kRankPrimes[1]));
  SparseMatrix tall_dependent = matrix(4, 2, {{0, 0, 1}, {3, 0, 2}, {0, 1, -2}, {3, 1, -4}});
  EXPECT_EQ(1u, RankModuloPrime(tall_dependent, kRankPrimes[0]));
}

// Negative entries and entries beyond the prime are reduced, not cut.
TEST(RankModuloPrime, EntriesAreReducedModuloThePrime) {
  EXPECT_EQ(0u, RankModuloPrime(matrix(1, 1, {{0, 0, 6}}), 3));
  EXPECT_EQ(1u, RankModuloPrime(matrix(1, 1, {{0, 0, -6}}), 5));
  EXPECT_EQ(0u, RankModuloPrime(matrix(1, 1, {{0, 0, -6}}), 2));
}

// The determinant of ((65536, 5), (1, 65536)) is 2^32 - 5, the first
// prime: modulo it the rank falls to 1, modulo the second it is 2, so the
// third prime is asked and the larger rank taken.
TEST(RankOverQ, PrimesThatDisagreeAreSettledByAThird) {
  SparseMatrix m = matrix(2, 2, {{0, 0, 65536}, {1, 0, 1}, {0, 1, 5}, {1, 1, 65536}});
  RationalRank rank = RankOverQ(m, 2);
  EXPECT_EQ(2u, rank.rank);
  EXPECT_FALSE(rank.agree());
  ASSERT_EQ(3u, rank.modulo.size());
  EXPECT_EQ(1u, rank.modulo[0].second);
  EXPECT_EQ(2u, rank.modulo[1].second);
  EXPECT_EQ(kRankPrimes[2], rank.modulo[2].first);
}

TEST(RankOverQ, TwoPrimesSufficeWhenTheyAgree) {
  RationalRank rank = RankOverQ(matrix(2, 3, {{0, 0, 1}, {1, 1, -1}, {0, 2, 1}, {1, 2, -1}}));
  EXPECT_EQ(2u, rank.rank);
  EXPECT_TRUE(rank.agree());
  EXPECT_EQ(2u, rank.modulo.size());
  EXPECT_EQ(0u, RankOverQ(matrix(0, 0, {})).rank);
}

}  // namespace
