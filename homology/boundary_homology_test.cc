// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "homology/boundary_homology.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "computer/boundary_computer.h"
#include "homology/homology_printer.h"
#include "homology/homology_report.h"
#include "printers/null_graph_printer.h"

namespace {

/// The reduced Betti numbers of one complex, by degree from its lowest.
struct Betti {
  int lowest = 0;
  std::vector<size_t> numbers;
  mpz_class chain_euler;
  mpz_class graph_euler;
};

/// Runs (g, n) through a HomologyPrinter and takes the homology of the
/// quotient, or of Delta_{g,n} when `labelled`.
Betti betti_of(int g, int n, bool labelled, Subcomplex relative_to) {
  NullGraphPrinter null;
  HomologyPrinterSettings settings;
  settings.g = g;
  settings.n = n;
  settings.labelled_complex = labelled;
  settings.relative_to = relative_to;
  settings.threads = 2;
  HomologyPrinter printer(null, settings);
  BoundaryComputer computer(g, n);
  computer.Compute(printer, StatisticsNone);
  const CellComplex& complex = labelled ? *printer.Labelled() : printer.Quotient();
  std::vector<HomologyDegree> degrees = ComputeHomology(complex);
  Betti betti;
  betti.lowest = complex.LowestDegree();
  for (const HomologyDegree& degree : degrees) {
    betti.numbers.push_back(degree.betti);
    EXPECT_TRUE(degree.boundary.agree()) << degree.degree;
  }
  betti.chain_euler = ChainEulerCharacteristic(degrees);
  betti.graph_euler = labelled ? printer.Sums().Labelled() : printer.Sums().Quotient();
  return betti;
}

/// The nonzero Betti numbers, by degree.
std::map<int, size_t> nonzero(const Betti& betti) {
  std::map<int, size_t> result;
  for (size_t i = 0; i < betti.numbers.size(); ++i)
    if (betti.numbers[i] != 0) result[betti.lowest + static_cast<int>(i)] = betti.numbers[i];
  return result;
}

constexpr Subcomplex kEverySubcomplex[] = {Subcomplex::kNone, Subcomplex::kLoopsOrGenus,
                                           Subcomplex::kLoopsGenusOrSharedPoints};

size_t factorial(int n) { return n <= 1 ? 1 : n * factorial(n - 1); }

// Delta_{0,n} is a wedge of (n - 2)! spheres of dimension n - 4.
TEST(BoundaryHomology, GenusZeroIsAWedgeOfSpheres) {
  for (int n = 4; n <= 7; ++n) {
    Betti betti = betti_of(0, n, true, Subcomplex::kNone);
    EXPECT_EQ((std::map<int, size_t>{{n - 4, factorial(n - 2)}}), nonzero(betti)) << n;
    EXPECT_EQ(betti.graph_euler, betti.chain_euler) << n;
  }
}

// Delta_{1,n} is a wedge of (n - 1)!/2 spheres of dimension n - 1, and
// the relative chains say the same.
TEST(BoundaryHomology, GenusOneIsAWedgeOfSpheres) {
  for (int n = 3; n <= 5; ++n) {
    for (Subcomplex relative_to : kEverySubcomplex) {
      Betti betti = betti_of(1, n, true, relative_to);
      EXPECT_EQ((std::map<int, size_t>{{n - 1, factorial(n - 1) / 2}}), nonzero(betti)) << n;
      EXPECT_EQ(betti.graph_euler, betti.chain_euler) << n;
    }
  }
}

// Delta_2 and Delta_4 have no rational homology; Delta_3 has H_5 = Q.
TEST(BoundaryHomology, NoMarkedPoints) {
  for (Subcomplex relative_to : kEverySubcomplex) {
    EXPECT_EQ((std::map<int, size_t>{}), nonzero(betti_of(2, 0, false, relative_to)));
    EXPECT_EQ((std::map<int, size_t>{{5, 1}}), nonzero(betti_of(3, 0, false, relative_to)));
    EXPECT_EQ((std::map<int, size_t>{}), nonzero(betti_of(4, 0, false, relative_to)));
  }
}

// The reduction to relative chains rests on theorems; every type small
// enough is checked against the whole complex, both complexes, and the
// chains' Euler characteristic against the one the graphs give.
void expect_relative_chains_agree(int largest) {
  for (int g = 1; 2 * g <= largest; ++g) {
    for (int n = 0; 2 * g + n <= largest; ++n) {
      if (2 * g - 2 + n <= 0) continue;
      for (bool labelled : {false, true}) {
        Betti whole = betti_of(g, n, labelled, Subcomplex::kNone);
        EXPECT_EQ(whole.graph_euler, whole.chain_euler) << g << " " << n << " " << labelled;
        for (Subcomplex relative_to : {Subcomplex::kLoopsOrGenus, Subcomplex::kLoopsGenusOrSharedPoints}) {
          Betti relative = betti_of(g, n, labelled, relative_to);
          EXPECT_EQ(nonzero(whole), nonzero(relative))
              << g << " " << n << " " << labelled << " " << static_cast<int>(relative_to);
          EXPECT_EQ(relative.graph_euler, relative.chain_euler) << g << " " << n << " " << labelled;
        }
      }
    }
  }
}

TEST(BoundaryHomology, RelativeChainsAgreeWithTheWholeComplex) { expect_relative_chains_agree(7); }

// Minutes: the whole complexes of (1, 7), (2, 5) and (3, 3) with labels.
TEST(BoundaryHomologySweep, RelativeChainsAgreeWithTheWholeComplex) { expect_relative_chains_agree(9); }

// Over Q the homology of the quotient is the S_n-invariant part of that
// of Delta_{g,n}, so no Betti number of the quotient is larger.
TEST(BoundaryHomology, QuotientBettiNumbersAreAtMostTheLabelledOnes) {
  const int types[][2] = {{0, 5}, {0, 6}, {1, 3}, {1, 4}, {2, 1}, {2, 2}, {2, 3}};
  for (const auto& type : types) {
    Subcomplex relative_to = type[0] > 0 ? Subcomplex::kLoopsGenusOrSharedPoints : Subcomplex::kNone;
    Betti quotient = betti_of(type[0], type[1], false, relative_to);
    Betti labelled = betti_of(type[0], type[1], true, relative_to);
    ASSERT_EQ(quotient.numbers.size(), labelled.numbers.size());
    for (size_t k = 0; k < quotient.numbers.size(); ++k)
      EXPECT_LE(quotient.numbers[k], labelled.numbers[k]) << type[0] << " " << type[1] << " " << k;
    EXPECT_EQ(quotient.graph_euler, quotient.chain_euler);
  }
}

}  // namespace
