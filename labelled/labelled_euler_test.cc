// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
//
// The Euler characteristic identity with labelled points: the sum over the
// labelled graphs of prod chi / |Aut| is chi(M-bar_{g,n}) itself, n! times
// the sum over the graphs with unlabelled points.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <tuple>
#include <utility>
#include <string>
#include <vector>

#include "computer/boundary_computer.h"
#include "printers/euler_check_printer.h"
#include "euler/euler_series.h"
#include "euler/euler_sums.h"
#include "euler/euler_term.h"
#include "euler/moduli_euler.h"
#include "graph/automorphism_order.h"
#include "labelled/labelled_count.h"
#include "testing/labelled_test_support.h"
#include "labelled/labelling_printer.h"
#include "printers/null_graph_printer.h"

namespace {

/// n! times the predicted sums of the unlabelled graphs, per codimension.
std::map<int, mpq_class> labelled_prediction(int g, int n) {
  mpz_class factorial;
  mpz_fac_ui(factorial.get_mpz_t(), static_cast<unsigned long>(n));
  std::map<int, mpq_class> prediction;
  std::vector<mpq_class> sums = PredictedEulerSums(g, n);
  for (size_t c = 0; c < sums.size(); ++c)
    if (sums[c] != 0) prediction[static_cast<int>(c)] = sums[c] * factorial;
  return prediction;
}

/// The sums of a run of type (g, n) through the check, the labelled graphs
/// made one by one (listed) or counted over each graph.
std::map<int, mpq_class> labelled_sums(int g, int n, bool listed, int threads) {
  NullGraphPrinter nothing;
  EulerCheckPrinter euler(nothing, threads);
  euler.count_labelled_graphs = !listed;
  LabellingPrinter labelling(euler);
  BoundaryComputer computer(g, n);
  computer.Compute(listed ? static_cast<GraphPrinter&>(labelling) : euler, StatisticsNone);
  std::map<int, mpq_class> found;
  for (auto& [c, sum] : euler.Sums().ByCodimension())
    if (sum != 0) found[c] = sum;
  return found;
}

std::string type_name(int g, int n) { return "type (" + std::to_string(g) + ", " + std::to_string(n) + ")"; }

}  // namespace

TEST(LabelledEuler, AutomorphismsFixTheLabels) {
  // (0, 4): the two-vertex graph has 8 automorphisms unlabelled, 1 labelled.
  Graph two = MakeGraph({0, 0}, {2, 2}, {0, 0}, {1});
  EXPECT_EQ(8, AutomorphismOrder(two));
  two.labelled = true;
  EXPECT_EQ(1, AutomorphismOrder(two));
  // Loops and parallel edges keep their factors; genus-1 twins without
  // points may still be swapped.
  Graph twins = MakeGraph({0, 1, 1}, {2, 0, 0}, {1, 0, 0}, {1, 1, 0});
  twins.labelled = true;
  EXPECT_EQ(2 * 2, AutomorphismOrder(twins));
  Graph triple = MakeGraph({0, 0}, {1, 1}, {0, 0}, {3});
  triple.labelled = true;
  EXPECT_EQ(6, AutomorphismOrder(triple));
}

// Listing: the labelled graphs themselves, each with its own term, for every
// type with 2g - 2 + n <= 7, and a few larger ones.
TEST(LabelledEuler, ListingAgreesUpToSeven) {
  for (int g = 0; 2 * g - 2 <= 7; ++g) {
    for (int n = 0; 2 * g - 2 + n <= 7; ++n) {
      if (2 * g - 2 + n < 1) continue;
      SCOPED_TRACE(type_name(g, n));
      EXPECT_EQ(labelled_prediction(g, n), labelled_sums(g, n, true, 1));
    }
  }
  // Batches spread over threads, graphs with more labellings than a batch.
  for (auto [g, n] : std::vector<std::pair<int, int>>{{1, 7}, {3, 3}, {2, 5}, {5, 0}}) {
    SCOPED_TRACE(type_name(g, n));
    EXPECT_EQ(labelled_prediction(g, n), labelled_sums(g, n, true, 3));
  }
}

// Counting: each graph's labelled graphs by Burnside's lemma, for every type
// with 2g - 2 + n <= 10.
TEST(LabelledEuler, CountingAgreesUpToTen) {
  for (int g = 0; 2 * g - 2 <= 10; ++g) {
    for (int n = 0; 2 * g - 2 + n <= 10; ++n) {
      if (2 * g - 2 + n < 1) continue;
      SCOPED_TRACE(type_name(g, n));
      EXPECT_EQ(labelled_prediction(g, n), labelled_sums(g, n, false, 2));
    }
  }
}

TEST(LabelledEuler, KnownCharacteristics) {
  // chi(M-bar_{0,5}) = 7 and chi(M-bar_{1,1}) = 5/12, summed over the strata.
  for (auto [g, n, chi] : std::vector<std::tuple<int, int, mpq_class>>{{0, 5, 7}, {0, 6, 34}, {1, 1, mpq_class(5, 12)}}) {
    mpq_class total = 0;
    for (auto& [c, sum] : labelled_prediction(g, n)) total += sum;
    EXPECT_EQ(chi, total) << type_name(g, n);
  }
}
