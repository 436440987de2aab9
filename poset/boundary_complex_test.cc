// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "poset/boundary_complex.h"

#include <gtest/gtest.h>

#include <string>

#include "computer/boundary_computer.h"
#include "labelled/labelling_printer.h"
#include "testing/test_support.h"
#include "poset/boundary_complex_printer.h"
#include "testing/poset_test_support.h"
#include "printers/null_graph_printer.h"

namespace {

/// The sums over a run of (g, n), its graphs labelled one by one when
/// `expand`, else counted.
BoundaryComplexSums sums_of(int g, int n, bool expand) {
  NullGraphPrinter null;
  BoundaryComplexPrinter complex(null);
  LabellingPrinter labelling(complex);
  BoundaryComputer computer(g, n);
  computer.Compute(expand ? static_cast<GraphPrinter&>(labelling) : complex, StatisticsNone);
  return complex.Sums();
}

mpz_class factorial(int n) {
  mpz_class result;
  mpz_fac_ui(result.get_mpz_t(), static_cast<unsigned long>(n));
  return result;
}

// Delta_{0,n} is a wedge of (n - 2)! spheres of dimension n - 4.
TEST(BoundaryComplex, GenusZero) {
  for (int n = 3; n <= 10; ++n) {
    mpz_class expected = factorial(n - 2);
    if (n % 2 == 1) expected = -expected;
    EXPECT_EQ(expected, sums_of(0, n, false).Labelled()) << n;
  }
}

TEST(BoundaryComplex, GenusOne) {
  EXPECT_EQ(0, sums_of(1, 1, false).Labelled());
  EXPECT_EQ(0, sums_of(1, 2, false).Labelled());
  for (int n = 3; n <= 8; ++n) {
    mpz_class expected = factorial(n - 1) / 2;
    if (n % 2 == 0) expected = -expected;
    EXPECT_EQ(expected, sums_of(1, n, false).Labelled()) << n;
  }
}

// Delta_2 is contractible; Delta_3 has the rational homology of S^5.
TEST(BoundaryComplex, GenusTwoAndThree) {
  EXPECT_EQ(0, sums_of(2, 0, false).Labelled());
  EXPECT_EQ(0, sums_of(2, 0, false).Quotient());
  EXPECT_EQ(-1, sums_of(3, 0, false).Labelled());
  EXPECT_EQ(-1, sums_of(3, 0, false).Quotient());
}

// The labelled graphs made one by one give what the count over the
// unlabelled ones gives, and the quotient taken from them the same as from
// the unlabelled graphs themselves.
TEST(BoundaryComplex, LabelledGraphsAgreeWithTheCount) {
  int nonzero_quotients = 0;
  for (int g = 0; g <= 3; ++g) {
    for (int n = 1; 2 * g + n <= 8; ++n) {
      if (2 * g - 3 + n < 0) continue;
      BoundaryComplexSums counted = sums_of(g, n, false), made = sums_of(g, n, true);
      EXPECT_EQ(counted.Labelled(), made.Labelled()) << g << " " << n;
      EXPECT_EQ(counted.Quotient(), made.Quotient()) << g << " " << n;
      nonzero_quotients += counted.Quotient() != 0;
    }
  }
  EXPECT_GT(nonzero_quotients, 0);
}

// The empty complex of (0, 3), whose one graph has no edge.
TEST(BoundaryComplex, NoCellIsMinusOne) {
  BoundaryComplexSums sums = sums_of(0, 3, false);
  EXPECT_EQ(-1, sums.Labelled());
  EXPECT_EQ(-1, sums.Quotient());
}

TEST(BoundaryComplex, StateRoundTrip) {
  BoundaryComplexSums sums = sums_of(1, 5, false);
  BoundaryComplexSums restored;
  ASSERT_TRUE(restored.RestoreState(sums.State()));
  EXPECT_EQ(sums.Labelled(), restored.Labelled());
  EXPECT_EQ(sums.Quotient(), restored.Quotient());
  for (const char* bad : {"", "12", "1 x", "x 1"}) EXPECT_FALSE(restored.RestoreState(bad)) << bad;
  EXPECT_EQ(sums.Labelled(), restored.Labelled());

  NullGraphPrinter null;
  BoundaryComplexPrinter printer(null), other(null);
  GraphsByCodimension none;
  printer.PrintSomeGraph(none);
  ASSERT_TRUE(other.RestoreState(printer.State()));
  EXPECT_FALSE(other.RestoreState("no separator"));
}

TEST(BoundaryComplex, ReportLine) {
  MemoryFile file;
  WriteBoundaryComplex(file.file(), 1, 4, sums_of(1, 4, false));
  EXPECT_EQ("boundary complex of (1, 4): reduced Euler characteristic of Delta_{1,4} = -3, of Delta_{1,4}/S_4 = 0\n",
            file.Text());
}

}  // namespace
