// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "printers/euler_check_printer.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "computer/boundary_computer.h"
#include "euler/euler_series.h"
#include "euler/euler_term.h"
#include "testing/test_support.h"
#include "printers/null_graph_printer.h"
#include "printers/text_graph_printer.h"

namespace {

std::map<int, mpq_class> predicted(int g, int n) {
  std::map<int, mpq_class> sums;
  std::vector<mpq_class> series = PredictedEulerSums(g, n);
  for (size_t e = 0; e < series.size(); ++e) sums[static_cast<int>(e)] = series[e];
  return sums;
}

/// The sums of a whole run of type (g, n) through the check.
EulerSums run_sums(int g, int n, int threads) {
  NullGraphPrinter null_printer;
  EulerCheckPrinter checker(null_printer, threads);
  BoundaryComputer computer(g, n);
  computer.Compute(checker, StatisticsNone);
  return checker.Sums();
}

// A run resumed in another process takes up the sums with the printer's
// place: the state carries both, and nothing else is accepted.
TEST(EulerCheckPrinter, StateCarriesTheSums) {
  NullGraphPrinter null_printer;
  EulerCheckPrinter checker(null_printer, 3);
  BoundaryComputer computer(4, 2);
  computer.Compute(checker, StatisticsNone);
  std::string state = checker.State();
  NullGraphPrinter other_null;
  EulerCheckPrinter resumed(other_null, 2);
  ASSERT_TRUE(resumed.RestoreState(state));
  EXPECT_EQ(checker.Sums().graphs(), resumed.Sums().graphs());
  EXPECT_EQ(checker.Sums().ByCodimension(), resumed.Sums().ByCodimension());
  EXPECT_GT(resumed.Sums().graphs(), 0u);
  for (const std::string& bad : {std::string(""), std::string("no separator"), state.substr(0, state.size() - 3),
                                 state + " 7"})
    EXPECT_FALSE(resumed.RestoreState(bad)) << bad.size();
  EXPECT_EQ(checker.Sums().ByCodimension(), resumed.Sums().ByCodimension()) << "a refused state changes nothing";
}

}  // namespace

TEST(EulerCheckPrinter, PassesEveryCallOn) {
  std::string direct = CaptureOutput([](FILE* out) {
    TextGraphPrinter printer(out, 2, 1);
    BoundaryComputer computer(2, 1);
    computer.Compute(printer, StatisticsNone);
  });
  std::string checked = CaptureOutput([](FILE* out) {
    TextGraphPrinter printer(out, 2, 1);
    EulerCheckPrinter checker(printer, 2);
    BoundaryComputer computer(2, 1);
    computer.Compute(checker, StatisticsNone);
  });
  EXPECT_EQ(direct, checked);
}

TEST(EulerCheckPrinter, SameSumsOnAnyNumberOfThreads) {
  // (4, 2) has passes larger than a batch, which are spread over threads.
  EulerSums one = run_sums(4, 2, 1);
  EulerSums three = run_sums(4, 2, 3);
  EXPECT_EQ(one.graphs(), three.graphs());
  EXPECT_EQ(one.ByCodimension(), three.ByCodimension());
  EXPECT_EQ(predicted(4, 2), three.ByCodimension());
}

// The enumeration and the series agree, codimension by codimension, for
// every type with 2g - 2 + n <= 10.
TEST(EulerAgreement, EveryTypeUpToTen) {
  for (int g = 0; 2 * g - 2 <= 10; ++g) {
    for (int n = 0; 2 * g - 2 + n <= 10; ++n) {
      if (2 * g - 2 + n <= 0) continue;
      EXPECT_EQ(predicted(g, n), run_sums(g, n, 2).ByCodimension()) << "type (" << g << ", " << n << ")";
    }
  }
}
