// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "euler/moduli_euler.h"

#include <gtest/gtest.h>

TEST(ModuliEuler, BernoulliNumbers) {
  EXPECT_EQ(mpq_class(1), Bernoulli(0));
  EXPECT_EQ(mpq_class(-1, 2), Bernoulli(1));
  EXPECT_EQ(mpq_class(1, 6), Bernoulli(2));
  EXPECT_EQ(0, Bernoulli(3));
  EXPECT_EQ(mpq_class(-1, 30), Bernoulli(4));
  EXPECT_EQ(mpq_class(-691, 2730), Bernoulli(12));
  EXPECT_EQ(mpq_class(7, 6), Bernoulli(14));
  EXPECT_EQ(mpq_class(-3617, 510), Bernoulli(16));
}

TEST(ModuliEuler, ClosedForms) {
  // Genus 0: (-1)^(k-3) (k-3)!.
  EXPECT_EQ(1, OpenModuliEuler(0, 3));
  EXPECT_EQ(-1, OpenModuliEuler(0, 4));
  EXPECT_EQ(2, OpenModuliEuler(0, 5));
  EXPECT_EQ(-6, OpenModuliEuler(0, 6));
  EXPECT_EQ(-5040, OpenModuliEuler(0, 10));
  // Genus 1: (-1)^k (k-1)! / 12.
  EXPECT_EQ(mpq_class(-1, 12), OpenModuliEuler(1, 1));
  EXPECT_EQ(mpq_class(1, 12), OpenModuliEuler(1, 2));
  EXPECT_EQ(mpq_class(-1, 6), OpenModuliEuler(1, 3));
  EXPECT_EQ(10, OpenModuliEuler(1, 6));  // 5! / 12
  // chi(M_2) = -1/240, chi(M_3) = 1/1008, chi(M_{2,1}) = 1/120.
  EXPECT_EQ(mpq_class(-1, 240), OpenModuliEuler(2, 0));
  EXPECT_EQ(mpq_class(1, 1008), OpenModuliEuler(3, 0));
  EXPECT_EQ(mpq_class(1, 120), OpenModuliEuler(2, 1));
  // chi(M_{h,k+1}) = (2 - 2h - k) chi(M_{h,k}).
  for (int h = 0; h <= 8; ++h) {
    for (int k = 0; k <= 12; ++k) {
      if (2 * h - 2 + k <= 0) continue;
      EXPECT_EQ((2 - 2 * h - k) * OpenModuliEuler(h, k), OpenModuliEuler(h, k + 1)) << h << " " << k;
    }
  }
}

TEST(ModuliEuler, UnstableTypesAreZero) {
  for (auto type : {std::make_pair(0, 0), std::make_pair(0, 1), std::make_pair(0, 2), std::make_pair(1, 0),
                    std::make_pair(-1, 5), std::make_pair(2, -1)})
    EXPECT_EQ(0, OpenModuliEuler(type.first, type.second)) << type.first << " " << type.second;
}
