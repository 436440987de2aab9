// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "euler/euler_series.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "euler/euler_sums.h"
#include "euler/moduli_euler.h"
#include "testing/brute_force_graphs.h"

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

// The restricted series against sums over the graphs of the type, found
// by the brute force, for every small type.
TEST(EulerSeries, RestrictedSeriesAreSumsOverTheirGraphs) {
  for (int g = 0; g <= 4; ++g) {
    for (int n = 0; 2 * g + n <= 9; ++n) {
      if (2 * g - 2 + n <= 0) continue;
      std::vector<BruteForceGraph> all = BruteForceStableGraphs(g, n);
      for (ModuliType type : {ModuliType::kStable, ModuliType::kCompactType, ModuliType::kRationalTails,
                              ModuliType::kTreeLike, ModuliType::kSmooth}) {
        EulerSums sums;
        for (const BruteForceGraph& found : all)
          if (BruteForceIsOfModuliType(found, type)) sums.Add(found.graph);
        std::vector<mpq_class> predicted = PredictedEulerSums(g, n, type);
        ASSERT_EQ(static_cast<size_t>(3 * g - 2 + n), predicted.size());
        std::map<int, mpq_class> found = sums.ByCodimension();
        for (size_t e = 0; e < predicted.size(); ++e)
          EXPECT_EQ(found[static_cast<int>(e)], predicted[e])
              << "(" << g << ", " << n << ") -M " << ModuliTypeName(type) << " codimension " << e;
      }
    }
  }
}

TEST(EulerSeries, RestrictedSeriesSpecialCases) {
  for (int g = 0; g <= 5; ++g) {
    for (int n = 0; 2 * g - 2 + n <= 10; ++n) {
      if (2 * g - 2 + n <= 0) continue;
      std::vector<mpq_class> all = PredictedEulerSums(g, n);
      EXPECT_EQ(all, PredictedEulerSums(g, n, ModuliType::kStable));
      std::vector<mpq_class> ct = PredictedEulerSums(g, n, ModuliType::kCompactType);
      std::vector<mpq_class> rt = PredictedEulerSums(g, n, ModuliType::kRationalTails);
      std::vector<mpq_class> tl = PredictedEulerSums(g, n, ModuliType::kTreeLike);
      std::vector<mpq_class> sm = PredictedEulerSums(g, n, ModuliType::kSmooth);
      // Every graph of genus 0 is a tree with rational tails.
      if (g == 0) {
        EXPECT_EQ(all, ct);
        EXPECT_EQ(all, rt);
        EXPECT_EQ(all, tl);
      }
      // Codimension 0 is the smooth curve in every part; a tree has at most
      // 2g - 3 + n edges.
      mpq_class open = OpenModuliEuler(g, n) / factorial(n);
      for (const std::vector<mpq_class>* sums : {&all, &ct, &rt, &tl, &sm}) EXPECT_EQ(open, (*sums)[0]);
      for (size_t e = 1; e < sm.size(); ++e) EXPECT_EQ(0, sm[e]) << e;
      for (size_t e = 2 * g - 2 + n; e < ct.size(); ++e) EXPECT_EQ(0, ct[e]) << e;
      // The graphs of codimension 1 with an edge between two vertices are
      // trees; the tree-like ones add the one vertex with a loop.
      if (g >= 1) {
        mpq_class loop = OpenModuliEuler(g - 1, n + 2) / (2 * factorial(n));
        loop.canonicalize();
        EXPECT_EQ(ct[1] + loop, tl[1]) << "(" << g << ", " << n << ")";
      }
    }
  }
}
