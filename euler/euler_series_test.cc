// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "euler/euler_series.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

mpq_class total(const std::vector<mpq_class>& sums) {
  mpq_class sum = 0;
  for (const mpq_class& value : sums) sum += value;
  return sum;
}

mpz_class factorial(int n) {
  mpz_class result;
  mpz_fac_ui(result.get_mpz_t(), static_cast<unsigned long>(n));
  return result;
}

}  // namespace

TEST(EulerSeries, GenusZeroGivesTheKnownEulerCharacteristics) {
  // M-bar_{0,n} is a smooth variety: chi = 1, 2, 7, 34, 213, 1630, 14747.
  const int known[] = {1, 2, 7, 34, 213, 1630, 14747};
  for (int n = 3; n <= 9; ++n) EXPECT_EQ(known[n - 3], total(PredictedEulerSums(0, n)) * factorial(n)) << n;
}

TEST(EulerSeries, OneOne) {
  std::vector<mpq_class> sums = PredictedEulerSums(1, 1);
  ASSERT_EQ(2u, sums.size());
  // The smooth curve: chi(M_{1,1}) = -1/12; the nodal one: a genus-0
  // vertex with a loop and a point, chi(M_{0,3}) / 2 = 1/2.
  EXPECT_EQ(mpq_class(-1, 12), sums[0]);
  EXPECT_EQ(mpq_class(1, 2), sums[1]);
  EXPECT_EQ(mpq_class(5, 12), total(sums));
}

TEST(EulerSeries, ZeroFourByCodimension) {
  // The one-vertex graph: -1 / 4!; the two-vertex graph: 1 / 8.
  std::vector<mpq_class> sums = PredictedEulerSums(0, 4);
  ASSERT_EQ(2u, sums.size());
  EXPECT_EQ(mpq_class(-1, 24), sums[0]);
  EXPECT_EQ(mpq_class(1, 8), sums[1]);
}

TEST(EulerSeries, CodimensionZeroIsTheOpenPart) {
  // The only graph without edges is one vertex with all points:
  // chi(M_{g,n}) / n!, by the closed forms of genus 0 and 1.
  for (int n = 3; n <= 10; ++n) {
    mpq_class chi = (n % 2 == 1 ? 1 : -1) * factorial(n - 3);
    EXPECT_EQ(chi / factorial(n), PredictedEulerSums(0, n)[0]) << n;
  }
  for (int n = 1; n <= 10; ++n) {
    mpq_class chi = (n % 2 == 0 ? 1 : -1) * factorial(n - 1) / mpq_class(12);
    EXPECT_EQ(chi / factorial(n), PredictedEulerSums(1, n)[0]) << n;
  }
  // chi(M_2) = -1/240, chi(M_3) = 1/1008.
  EXPECT_EQ(mpq_class(-1, 240), PredictedEulerSums(2, 0)[0]);
  EXPECT_EQ(mpq_class(1, 1008), PredictedEulerSums(3, 0)[0]);
}

TEST(EulerSeries, UnstableTypesPredictNothing) {
  EXPECT_TRUE(PredictedEulerSums(0, 2).empty());
  EXPECT_TRUE(PredictedEulerSums(1, 0).empty());
  EXPECT_TRUE(PredictedEulerSums(0, 0).empty());
}

TEST(EulerSeries, SumsAreInLowestTerms) {
  // A fraction not in lowest terms compares unequal to the same value in
  // lowest terms; (2, 9) and (3, 8) once predicted such fractions.
  for (int g = 0; g <= 4; ++g) {
    for (int n = 0; 2 * g - 2 + n <= 12; ++n) {
      for (const mpq_class& sum : PredictedEulerSums(g, n)) {
        mpq_class reduced = sum;
        reduced.canonicalize();
        EXPECT_EQ(reduced.get_den(), sum.get_den()) << "type (" << g << ", " << n << ")";
      }
    }
  }
}
