// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "computer/boundary_computer.h"

#include <gtest/gtest.h>
#include <stdio.h>
#include <stdlib.h>

#include <algorithm>
#include <memory>
#include <numeric>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "graph/type_capacity.h"
#include "main/printer_factory.h"
#include "testing/test_support.h"
#include "stream/binary_graph_printer.h"
#include "printers/latex_graph_printer.h"
#include "printers/null_graph_printer.h"
#include "printers/text_graph_printer.h"

namespace {

/// The plain description of a graph, detached from the enumerator's store.
struct Snapshot {
  int g, n, K, codimension;
  std::vector<int> genus, marked_points, loops;
  std::vector<std::vector<int>> adjacency;
};

Snapshot snapshot(const Graph& graph) {
  Snapshot s{graph.g, graph.n, graph.K, graph.codimension, {}, {}, {}, {}};
  for (int i = 0; i < graph.K; ++i) {
    s.genus.push_back(graph.genus[i]);
    s.marked_points.push_back(graph.marked_points[i]);
    s.loops.push_back(graph.loops[i]);
    s.adjacency.emplace_back(graph.adjacency[i], graph.adjacency[i] + graph.K);
  }
  return s;
}

/// Records every call and every graph it is handed.
class RecordingPrinter : public GraphPrinter {
 public:
  void BeginPrint() override { calls += "B"; }
  void PrintSomeGraph(const GraphsByCodimension& graphs) override {
    calls += graphs.empty() ? "e" : "P";
    for (auto& entry : graphs) {
      EXPECT_FALSE(entry.second.empty()) << "the store holds no empty codimension";
      for (const Graph* graph : entry.second) {
        EXPECT_EQ(entry.first, graph->codimension);
        graphs_seen.push_back(snapshot(*graph));
      }
    }
  }
  void EndPrint() override { calls += "E"; }

  std::string calls;
  std::vector<Snapshot> graphs_seen;
};

/// Runs a whole enumeration without statistics.
std::vector<Snapshot> enumerate(BoundaryComputer& computer, RecordingPrinter* printer_out = nullptr) {
  RecordingPrinter printer;
  computer.Compute(printer, StatisticsNone);
  if (printer_out != nullptr) *printer_out = printer;
  return printer.graphs_seen;
}

Counts codimension_counts(int g, int n) {
  BoundaryComputer computer(g, n);
  enumerate(computer);
  return computer.counters().found_per_codimension;
}

int64_t total(int g, int n) {
  Counts counts = codimension_counts(g, n);
  return std::accumulate(counts.begin(), counts.end(), int64_t{0});
}

}  // namespace

TEST(BoundaryComputerCounts, KnownTotals) {
  EXPECT_EQ((Counts{1, 2, 2, 2}), codimension_counts(2, 0));
  EXPECT_EQ((Counts{1, 2, 5, 9, 12, 8, 5}), codimension_counts(3, 0));
  EXPECT_EQ((Counts{1, 3, 7, 21, 43, 75, 89, 81, 42, 17}), codimension_counts(4, 0));
  int genus_zero[] = {2, 3, 7, 13};
  for (int n = 4; n <= 7; ++n) EXPECT_EQ(genus_zero[n - 4], total(0, n)) << "n = " << n;
  int genus_one[] = {2, 5, 11};
  for (int n = 1; n <= 3; ++n) EXPECT_EQ(genus_one[n - 1], total(1, n)) << "n = " << n;
  EXPECT_EQ(4555, total(5, 0));
}

/// The settings of a search for the graphs with `edges` edges.
SearchSettings with_edges(int edges) {
  SearchSettings settings;
  settings.codimension = edges;
  return settings;
}

TEST(BoundaryComputerCounts, PerComponentCountersOfGenusFour) {
  BoundaryComputer computer(4, 0);
  enumerate(computer);
  EXPECT_EQ((Counts{0, 5, 29, 79, 133, 154, 87}), computer.counters().tried);
  EXPECT_EQ((Counts{0, 0, 0, 0, 0, 16, 22}), computer.counters().unconnected);
  EXPECT_EQ((Counts{0, 0, 0, 0, 7, 40, 23}), computer.counters().duplicated);
  EXPECT_EQ((Counts{0, 5, 29, 79, 126, 98, 42}), computer.counters().found);
}

TEST(BoundaryComputerCounts, SevenPointsOfGenusZeroMeetAnUnconnectedCandidate) {
  BoundaryComputer computer(0, 7);
  enumerate(computer);
  EXPECT_EQ(3, computer.counters().tried[5]);
  EXPECT_EQ(1, computer.counters().unconnected[5]);
}

TEST(BoundaryComputerOrder, GenusTwoPassOfTwoComponents) {
  BoundaryComputer computer(2, 0);
  std::vector<Snapshot> graphs = enumerate(computer);
  ASSERT_EQ(7u, graphs.size());
  // Codimension 1, 2, 3, 3 in the pass of two components; the two of
  // codimension 3 in generation order: the triple edge before the two loops.
  const Snapshot* pass[4] = {&graphs[3], &graphs[4], &graphs[5], &graphs[6]};
  EXPECT_EQ((std::vector<int>{1, 1}), pass[0]->genus);
  EXPECT_EQ((std::vector<int>{0, 1}), pass[1]->genus);
  EXPECT_EQ((std::vector<int>{1, 0}), pass[1]->loops);
  EXPECT_EQ((std::vector<int>{0, 0}), pass[2]->genus);
  EXPECT_EQ(3, pass[2]->adjacency[0][1]);
  EXPECT_EQ((std::vector<int>{0, 0}), pass[3]->genus);
  EXPECT_EQ((std::vector<int>{1, 1}), pass[3]->loops);
  EXPECT_EQ(1, pass[3]->adjacency[0][1]);
  for (int k = 0; k < 4; ++k) EXPECT_EQ(k < 2 ? k + 1 : 3, pass[k]->codimension);
}

TEST(BoundaryComputerOrder, FivePointsOnThreeComponents) {
  BoundaryComputer computer(0, 5);
  std::vector<Snapshot> graphs = enumerate(computer);
  ASSERT_EQ(3u, graphs.size());
  const Snapshot& chain = graphs[2];
  EXPECT_EQ(3, chain.K);
  EXPECT_EQ((std::vector<int>{1, 2, 2}), chain.marked_points);
  EXPECT_EQ((std::vector<std::vector<int>>{{0, 1, 1}, {1, 0, 0}, {1, 0, 0}}), chain.adjacency);
}

TEST(BoundaryComputerEdgeFilter, RestrictsSearchAndCounters) {
  BoundaryComputer genus_two(2, 0, with_edges(2));
  std::vector<Snapshot> graphs = enumerate(genus_two);
  EXPECT_EQ(2u, graphs.size());
  EXPECT_EQ((Counts{0, 3, 1}), genus_two.counters().tried);
  EXPECT_EQ((Counts{0, 1, 1}), genus_two.counters().found);
  EXPECT_EQ((Counts{0, 0, 2, 0}), genus_two.counters().found_per_codimension);

  BoundaryComputer seven_points(0, 7, with_edges(3));
  RecordingPrinter printer;
  graphs = enumerate(seven_points, &printer);
  EXPECT_EQ(4u, graphs.size());
  EXPECT_EQ("BeeePE", printer.calls) << "passes K = 1 .. 4 run, K = 5 does not";
  EXPECT_EQ((Counts{0, 1, 0, 0, 4, 0}), seven_points.counters().tried);
  EXPECT_EQ((Counts{0, 0, 0, 4, 0}), seven_points.counters().found_per_codimension);
}

TEST(BoundaryComputerEdgeFilter, ZeroAndNegative) {
  BoundaryComputer zero(3, 1, with_edges(0));
  std::vector<Snapshot> graphs = enumerate(zero);
  ASSERT_EQ(1u, graphs.size());
  EXPECT_EQ(3, graphs[0].genus[0]);
  EXPECT_EQ(0, graphs[0].loops[0]);

  BoundaryComputer below(3, 1, with_edges(-5));
  RecordingPrinter printer;
  EXPECT_TRUE(enumerate(below, &printer).empty());
  EXPECT_EQ("BeE", printer.calls);
  EXPECT_EQ(4, below.counters().tried[1]);
}

TEST(BoundaryComputerLifecycle, UnstableTypesCallNoPrinter) {
  for (auto type : {std::make_pair(1, 0), std::make_pair(0, 2), std::make_pair(0, 0)}) {
    BoundaryComputer computer(type.first, type.second);
    RecordingPrinter printer;
    enumerate(computer, &printer);
    EXPECT_EQ("", printer.calls);
    EXPECT_EQ(
        "Tried       =       0\nUnconnected =       0\nDuplicated  =       0\nFound       = "
        "      0\n",
        CaptureOutput([&](FILE* out) { computer.Statistics(out); }));
    EXPECT_EQ("(\n (),\n (),\n (),\n (),\n (),\n (),\n)\n",
              CaptureOutput([&](FILE* out) { computer.TerseStatistics(out); }));
  }
}

// (0, 35) is beyond the capacity and its graphs have up to 33 components,
// one more than the search's masks hold: refused before anything runs.
TEST(BoundaryComputerLifecycle, RefusesATypeWithMoreComponentsThanTheSearchHolds) {
  BoundaryComputer computer(0, 35);
  RecordingPrinter printer;
  try {
    computer.Compute(printer, StatisticsNone);
    ADD_FAILURE() << "Compute ran a type of 33 components";
  } catch (const std::invalid_argument& refusal) {
    EXPECT_EQ(CapacityProblem(0, 35), refusal.what());
  }
  EXPECT_EQ("", printer.calls);
}

// Under an edge filter the passes stop at K = edges + 1, so a type whose
// unfiltered graphs outgrow the masks still runs for few edges: (12, 20)
// has graphs of up to 42 components, its graphs of one edge have two.
// They are the one-vertex graph with a loop and the splittings of genus
// 12 and 20 points into two stable sides.
TEST(BoundaryComputerLifecycle, AnEdgeFilterBoundsTheComponentsTheSearchMeets) {
  const int g = 12, n = 20;
  int ordered_splittings = 0, symmetric = 0;
  for (int g1 = 0; g1 <= g; ++g1)
    for (int n1 = 0; n1 <= n; ++n1) {
      bool stable_sides = 2 * g1 - 1 + n1 > 0 && 2 * (g - g1) - 1 + (n - n1) > 0;
      if (!stable_sides) continue;
      ++ordered_splittings;
      if (2 * g1 == g && 2 * n1 == n) ++symmetric;
    }
  SearchSettings settings = with_edges(1);
  settings.threads = 1;
  BoundaryComputer computer(g, n, settings);
  std::vector<Snapshot> graphs = enumerate(computer);
  EXPECT_EQ(1 + (ordered_splittings + symmetric) / 2, static_cast<int>(graphs.size()));
}

TEST(BoundaryComputerLifecycle, ReportsAndResultsAroundCompute) {
  BoundaryComputer computer(0, 3);
  EXPECT_EQ("Not yet computed!\n", CaptureOutput([&](FILE* out) { computer.Statistics(out); }));
  EXPECT_EQ("Not yet computed!\n", CaptureOutput([&](FILE* out) { computer.TerseStatistics(out); }));
  std::unique_ptr<std::vector<const Graph*>> before(computer.GetAllResults());
  EXPECT_TRUE(before->empty());
  EXPECT_EQ(computer.GetAllResultsByCodimension(), computer.GetAllResultsByCodimension());

  enumerate(computer);
  EXPECT_EQ(2u, computer.counters().tried.size());
  EXPECT_EQ((Counts{0, 1}), computer.counters().found);
  EXPECT_EQ((Counts{1}), computer.counters().found_per_codimension);
  std::unique_ptr<std::vector<const Graph*>> after(computer.GetAllResults());
  EXPECT_TRUE(after->empty());
  EXPECT_NE(before.get(), after.get());
  EXPECT_TRUE(computer.GetAllResultsByCodimension()->empty());
}

// Genus 9 tries more than 2^31 candidates: the report holds 64-bit counts,
// widening a column only where a number needs more than its width.
TEST(BoundaryComputerReport, CountersBeyondThirtyTwoBits) {
  BoundaryComputer computer(2, 0);
  enumerate(computer);
  SearchCounters counters = computer.counters();
  counters.tried = {0, 3, 4};
  counters.tried[1] = 5000000000;  // beyond 2^32
  counters.found_per_codimension[3] = 2147483648;
  counters.found[2] = 123456;
  EXPECT_EQ(
      "Tried           0 5000000000     4 = 5000000004\n"
      "Unconnected     0     0     0 =       0\n"
      "Duplicated      0     0     0 =       0\n"
      "Found           0     3 123456 =  123459\n"
      "  0:     1\n  1:     2\n  2:     2\n  3: 2147483648\n",
      CaptureOutput([&](FILE* out) { counters.WriteFull(out); }));
  EXPECT_EQ("(\n (0,0,0,),\n (0,0,0,),\n (0,3,123456,),\n (1,2,2,2147483648,),\n (0,0,0,),\n (0,0,0,),\n)\n",
            CaptureOutput([&](FILE* out) { counters.WriteTerse(out); }));
}

/// A context whose report goes to `report`, without progress.
RunContext reporting_to(FILE* report) {
  RunContext context;
  context.report = report;
  return context;
}

TEST(BoundaryComputerLifecycle, ShortOverloadMeansFullStatistics) {
  NullGraphPrinter printer;
  std::string short_form = CaptureOutput([&](FILE* out) {
    BoundaryComputer full(2, 1, SearchSettings(), reporting_to(out));
    full.Compute(printer);
  });
  EXPECT_NE(std::string::npos, short_form.find("K =  1... done.\nK =  2... done.\n")) << short_form;
  BoundaryComputer quiet(2, 1);
  quiet.Compute(printer, StatisticsNone);
  EXPECT_EQ(short_form, CaptureOutput([&](FILE* out) {
              BoundaryComputer explicit_full(2, 1, SearchSettings(), reporting_to(out));
              explicit_full.Compute(printer, StatisticsFull);
            }));
  // The lines of the passes, then the report Statistics writes.
  EXPECT_EQ(short_form, "K =  1... done.\nK =  2... done.\nK =  3... done.\n" +
                            CaptureOutput([&](FILE* out) { quiet.Statistics(out); }));

  std::string terse_report = CaptureOutput([&](FILE* out) {
    BoundaryComputer terse(2, 1, SearchSettings(), reporting_to(out));
    terse.Compute(printer, StatisticsTerse);
  });
  EXPECT_EQ(CaptureOutput([&](FILE* out) { quiet.TerseStatistics(out); }), terse_report);

  // A second Compute on the same object starts the counters afresh.
  EXPECT_EQ(short_form + short_form, CaptureOutput([&](FILE* out) {
              BoundaryComputer twice(2, 1, SearchSettings(), reporting_to(out));
              twice.Compute(printer);
              twice.Compute(printer);
            }));
}

// Without a report stream in its context the enumerator writes nothing,
// whatever the mode; with one, only what the mode asks for.
TEST(BoundaryComputerLifecycle, WritesOnlyToItsContext) {
  NullGraphPrinter printer;
  testing::internal::CaptureStderr();
  testing::internal::CaptureStdout();
  BoundaryComputer silent(2, 1);
  silent.Compute(printer, StatisticsFull);
  EXPECT_EQ("", testing::internal::GetCapturedStdout());
  EXPECT_EQ("", testing::internal::GetCapturedStderr());
  EXPECT_EQ("", CaptureOutput([&](FILE* out) {
              BoundaryComputer none(2, 1, SearchSettings(), reporting_to(out));
              none.Compute(printer, StatisticsNone);
            }));
}

namespace {

/// Advances to the next relabelling that only permutes vertices inside
/// each run of equal decorations; false once all have been seen.
bool next_within_runs(std::vector<int>& order, const std::vector<std::pair<int, int>>& runs) {
  for (size_t r = runs.size(); r-- > 0;)
    if (std::next_permutation(order.begin() + runs[r].first, order.begin() + runs[r].second)) return true;
  return false;
}

/// Isomorphism-invariant form computed by brute force: vertices sorted by
/// decoration, then the smallest matrix over every relabelling that keeps
/// them sorted (an isomorphism maps equal decorations onto each other).
std::vector<int> brute_force_form(const Snapshot& s) {
  auto decoration = [&](int v) { return std::make_tuple(s.genus[v], s.marked_points[v], s.loops[v]); };
  std::vector<int> order(s.K);
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return decoration(a) < decoration(b); });
  std::vector<std::pair<int, int>> runs;
  for (int start = 0, end; start < s.K; start = end) {
    for (end = start + 1; end < s.K && decoration(order[end]) == decoration(order[start]);) ++end;
    runs.emplace_back(start, end);
  }
  std::vector<int> best;
  do {
    std::vector<int> form;
    for (int i = 0; i < s.K; ++i) {
      int v = order[i];
      form.insert(form.end(), {s.genus[v], s.marked_points[v], s.loops[v]});
    }
    for (int i = 0; i < s.K; ++i)
      for (int j = 0; j < s.K; ++j) form.push_back(s.adjacency[order[i]][order[j]]);
    if (best.empty() || form < best) best = form;
  } while (next_within_runs(order, runs));
  return best;
}

bool connected(const Snapshot& s) {
  std::vector<bool> seen(s.K, false);
  std::vector<int> stack = {0};
  seen[0] = true;
  int reached = 1;
  while (!stack.empty()) {
    int v = stack.back();
    stack.pop_back();
    for (int u = 0; u < s.K; ++u) {
      if (u != v && s.adjacency[v][u] > 0 && !seen[u]) {
        seen[u] = true;
        ++reached;
        stack.push_back(u);
      }
    }
  }
  return reached == s.K;
}

/// Checks everything a printed graph of type (g, n) must satisfy.
void expect_valid(const Snapshot& s, int g, int n) {
  SCOPED_TRACE("graph with K = " + std::to_string(s.K));
  EXPECT_EQ(g, s.g);
  EXPECT_EQ(n, s.n);
  int genus_sum = 0, marked = 0, edges = 0;
  for (int v = 0; v < s.K; ++v) {
    genus_sum += s.genus[v];
    marked += s.marked_points[v];
    EXPECT_EQ(s.loops[v], s.adjacency[v][v]) << "loops on the diagonal";
    int valence = s.marked_points[v] + 2 * s.loops[v];
    for (int u = 0; u < s.K; ++u) {
      EXPECT_EQ(s.adjacency[v][u], s.adjacency[u][v]) << "symmetric";
      EXPECT_GE(s.adjacency[v][u], 0);
      if (u != v) valence += s.adjacency[v][u];
      if (u >= v) edges += s.adjacency[v][u];
    }
    EXPECT_GE(2 * s.genus[v] - 2 + valence, 1) << "stable vertex " << v;
    if (v > 0) {
      std::vector<int> previous = {s.genus[v - 1], s.marked_points[v - 1], s.loops[v - 1]};
      std::vector<int> current = {s.genus[v], s.marked_points[v], s.loops[v]};
      EXPECT_LE(previous, current) << "sorted vertices";
    }
  }
  EXPECT_EQ(n, marked);
  EXPECT_EQ(g, genus_sum + edges - s.K + 1) << "genus plus first Betti number";
  EXPECT_EQ(edges, s.codimension);
  EXPECT_TRUE(connected(s));
}

/// The Found total of the full report.
int reported_found_total(BoundaryComputer& computer) {
  std::string report = CaptureOutput([&](FILE* out) { computer.Statistics(out); });
  size_t row = report.find("Found ");
  size_t equals = report.find("= ", row);
  return atoi(report.c_str() + equals + 2);
}

}  // namespace

TEST(BoundaryComputerProperties, EveryGraphValidDistinctAndOrdered) {
  for (int g = 0; 2 * g <= 9; ++g) {
    for (int n = 0; 2 * g + n <= 9; ++n) {
      SCOPED_TRACE("(g, n) = (" + std::to_string(g) + ", " + std::to_string(n) + ")");
      BoundaryComputer computer(g, n);
      std::vector<Snapshot> graphs = enumerate(computer);
      std::set<std::vector<int>> forms;
      for (size_t k = 0; k < graphs.size(); ++k) {
        expect_valid(graphs[k], g, n);
        EXPECT_TRUE(forms.insert(brute_force_form(graphs[k])).second) << "graph " << k << " repeats one";
        if (k > 0) {
          auto before = std::make_pair(graphs[k - 1].K, graphs[k - 1].codimension);
          auto now = std::make_pair(graphs[k].K, graphs[k].codimension);
          EXPECT_LE(before, now) << "ordered by components, then codimension";
        }
      }
      EXPECT_EQ(static_cast<int>(graphs.size()), reported_found_total(computer));
      if (2 * g + n >= 3) {
        EXPECT_FALSE(graphs.empty());
      }
    }
  }
}

namespace {

/// What one run writes: the printer's bytes and both reports.
struct RunOutput {
  std::string printed, report, terse;
  bool operator==(const RunOutput& other) const {
    return printed == other.printed && report == other.report && terse == other.terse;
  }
};

RunOutput run_with(int g, int n, Format choice, std::optional<int> edges, int threads, size_t batch) {
  SearchSettings settings;
  settings.threads = threads;
  settings.print_batch = batch;
  settings.codimension = edges;
  BoundaryComputer computer(g, n, settings);
  RunOutput output;
  output.printed = CaptureOutput([&](FILE* out) {
    std::unique_ptr<GraphPrinter> printer = MakePrinter(choice, out, g, n, false);
    computer.Compute(*printer, StatisticsNone);
  });
  output.report = CaptureOutput([&](FILE* out) { computer.Statistics(out); });
  output.terse = CaptureOutput([&](FILE* out) { computer.TerseStatistics(out); });
  return output;
}

}  // namespace

// Tasks run on any number of threads and a pass may reach the printer in
// several parts; neither may change a byte of the output or the reports.
TEST(BoundaryComputerThreads, OutputIndependentOfThreadsAndBatches) {
  struct Case {
    int g, n;
    std::optional<int> edges;
  };
  const std::nullopt_t all = std::nullopt;
  const Case cases[] = {{4, 0, all}, {4, 0, 5}, {2, 3, all}, {0, 8, 3}, {3, 2, all}, {1, 5, 2}};
  for (const Case& c : cases) {
    for (Format choice : {Format::kText, Format::kBinary, Format::kLaTeX}) {
      SCOPED_TRACE("(" + std::to_string(c.g) + ", " + std::to_string(c.n) + ") edges " +
                   (c.edges ? std::to_string(*c.edges) : "all") + " printer " +
                   std::to_string(static_cast<int>(choice)));
      RunOutput sequential = run_with(c.g, c.n, choice, c.edges, 1, 4096);
      ASSERT_FALSE(sequential.printed.empty());
      for (int threads : {2, 3, 8})
        EXPECT_TRUE(sequential == run_with(c.g, c.n, choice, c.edges, threads, 4096)) << threads;
      EXPECT_TRUE(sequential == run_with(c.g, c.n, choice, c.edges, 3, 7)) << "batches of 7";
      EXPECT_TRUE(sequential == run_with(c.g, c.n, choice, c.edges, 1, 1)) << "batches of 1";
    }
  }
}

TEST(BoundaryComputerThreads, SmallPassesReachThePrinterInOneCall) {
  SearchSettings settings;
  settings.threads = 4;
  BoundaryComputer computer(3, 0, settings);
  RecordingPrinter printer;
  computer.Compute(printer, StatisticsNone);
  EXPECT_EQ("BPPPPE", printer.calls);

  // Passes of 4, 12, 15 and 11 graphs, at most 10 per call.
  settings.print_batch = 10;
  BoundaryComputer in_tens(3, 0, settings);
  RecordingPrinter batched;
  in_tens.Compute(batched, StatisticsNone);
  EXPECT_EQ("BPPPPPPPE", batched.calls);
  EXPECT_EQ(printer.graphs_seen.size(), batched.graphs_seen.size());
}
