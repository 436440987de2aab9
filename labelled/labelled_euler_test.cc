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
#include "euler/euler_check_printer.h"
#include "euler/euler_series.h"
#include "euler/euler_sums.h"
#include "euler/euler_term.h"
#include "euler/moduli_euler.h"
#include "graph/automorphism_order.h"
#include "labelled/labelled_count.h"
#include "labelled/labelled_test_support.h"
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

/// Adds count * term of the labelled graphs over each graph, without making
/// them: every labelled graph over a graph has the same |Aut|.  The terms
/// repeat, so the counts are gathered per (codimension, vertices, |Aut|)
/// and the fractions summed once per key.
class CountingEulerPrinter : public GraphPrinter {
 public:
  void BeginPrint() override {}
  void PrintSomeGraph(GraphsByCodimension& graphs) override {
    for (auto& entry : graphs) {
      for (const Graph* graph : entry.second) {
        Graph labelled = *graph;
        labelled.labelled = true;  // the labels themselves do not matter
        std::vector<std::pair<int, int>> vertices;
        for (int v = 0; v < graph->K; ++v) vertices.emplace_back(graph->genus[v], Valence(*graph, v));
        std::sort(vertices.begin(), vertices.end());
        counts[Key{entry.first, vertices, AutomorphismOrder(labelled).get_str()}] += LabelledGraphCount(*graph);
      }
    }
  }
  void EndPrint() override {}

  std::map<int, mpq_class> Sums() const {
    std::map<int, mpq_class> sums;
    for (const auto& [key, count] : counts) {
      mpq_class term = 1;
      for (auto [genus, valence] : key.vertices) term *= OpenModuliEuler(genus, valence);
      term /= mpz_class(key.automorphisms);
      sums[key.codimension] += term * mpq_class(count);
    }
    return sums;
  }

 private:
  struct Key {
    int codimension;
    std::vector<std::pair<int, int>> vertices;
    std::string automorphisms;
    bool operator<(const Key& o) const {
      return std::tie(codimension, vertices, automorphisms) < std::tie(o.codimension, o.vertices, o.automorphisms);
    }
  };
  std::map<Key, mpz_class> counts;
};

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
// type with 2g - 2 + n <= 7.
TEST(LabelledEuler, ListingAgreesUpToSeven) {
  for (int g = 0; 2 * g - 2 <= 7; ++g) {
    for (int n = 0; 2 * g - 2 + n <= 7; ++n) {
      if (2 * g - 2 + n < 1) continue;
      SCOPED_TRACE(type_name(g, n));
      NullGraphPrinter nothing;
      EulerCheckPrinter euler(nothing, 1);
      LabellingPrinter labelling(euler);
      BoundaryComputer computer(g, n);
      computer.Compute(labelling, StatisticsNone);
      EXPECT_EQ(labelled_prediction(g, n), euler.Sums().ByCodimension());
    }
  }
}

// Counting: each graph's labelled graphs by Burnside's lemma, for every type
// with 2g - 2 + n <= 10.
TEST(LabelledEuler, CountingAgreesUpToTen) {
  for (int g = 0; 2 * g - 2 <= 10; ++g) {
    for (int n = 0; 2 * g - 2 + n <= 10; ++n) {
      if (2 * g - 2 + n < 1) continue;
      SCOPED_TRACE(type_name(g, n));
      CountingEulerPrinter counting;
      BoundaryComputer computer(g, n);
      computer.Compute(counting, StatisticsNone);
      std::map<int, mpq_class> found;
      for (auto& [c, sum] : counting.Sums())
        if (sum != 0) found[c] = sum;
      EXPECT_EQ(labelled_prediction(g, n), found);
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
