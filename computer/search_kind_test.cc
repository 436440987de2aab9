// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
//
// The orderly kinds of search against the stored one: the same listings,
// byte for byte, for every small type, with and without an edge filter,
// labelled and not.
#include <gtest/gtest.h>
#include <stdio.h>

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "computer/boundary_computer.h"
#include "labelled/labelling_printer.h"
#include "testing/test_support.h"
#include "stream/binary_graph_printer.h"
#include "printers/text_graph_printer.h"

namespace {

/// What one run wrote and counted.
struct Listing {
  std::string binary;
  std::string text;
  Counts tried, unconnected, duplicated, found, found_per_codimension;
  std::vector<mpz_class> labelled_per_codimension;
};

/// Writes the run's graphs to both printers at once.
class BothPrinters : public GraphPrinter {
 public:
  BothPrinters(GraphPrinter& first, GraphPrinter& second) : first_(first), second_(second) {}
  void BeginPrint() override {
    first_.BeginPrint();
    second_.BeginPrint();
  }
  void PrintSomeGraph(const GraphsByCodimension& graphs) override {
    first_.PrintSomeGraph(graphs);
    second_.PrintSomeGraph(graphs);
  }
  void EndPrint() override {
    first_.EndPrint();
    second_.EndPrint();
  }

 private:
  GraphPrinter& first_;
  GraphPrinter& second_;
};

/// How a run's tasks are split and windowed.
struct Splitting {
  int rows = 1;
  size_t window = 4096;
};

Listing run(int g, int n, SearchKind kind, std::optional<int> edges, bool labelled,
            Splitting splitting = Splitting()) {
  Listing listing;
  listing.text = CaptureOutput([&](FILE* text_file) {
    listing.binary = CaptureOutput([&](FILE* binary_file) {
      BinaryGraphPrinter binary(binary_file, g, n);
      binary.labelled = labelled;
      TextGraphPrinter text(text_file, g, n);
      BothPrinters both(binary, text);
      LabellingPrinter labelling(both);
      SearchSettings settings;
      settings.threads = 1;
      settings.search = kind;
      settings.split_rows = splitting.rows;
      settings.task_window = splitting.window;
      settings.count_labelled = labelled;
      settings.codimension = edges;
      BoundaryComputer computer(g, n, settings);
      computer.Compute(labelled ? static_cast<GraphPrinter&>(labelling) : both, StatisticsNone);
      const SearchCounters& counters = computer.counters();
      listing.tried = counters.tried;
      listing.unconnected = counters.unconnected;
      listing.duplicated = counters.duplicated;
      listing.found = counters.found;
      listing.found_per_codimension = counters.found_per_codimension;
      listing.labelled_per_codimension = counters.labelled_per_codimension;
    });
  });
  return listing;
}

/// Runs every kind on (g, n) and compares it with the stored search.
void expect_same_listings(int g, int n, std::optional<int> edges, bool labelled) {
  SCOPED_TRACE("(" + std::to_string(g) + ", " + std::to_string(n) + ") edges " +
               (edges ? std::to_string(*edges) : "all") + (labelled ? " labelled" : ""));
  Listing stored = run(g, n, SearchKind::kStored, edges, labelled);
  Listing orderly = run(g, n, SearchKind::kOrderly, edges, labelled);
  Listing pruned = run(g, n, SearchKind::kPruned, edges, labelled);
  EXPECT_EQ(stored.binary, orderly.binary);
  EXPECT_EQ(stored.text, orderly.text);
  EXPECT_EQ(stored.binary, pruned.binary);
  EXPECT_EQ(stored.text, pruned.text);
  // The orderly search meets the very candidates of the stored one.
  EXPECT_EQ(stored.tried, orderly.tried);
  EXPECT_EQ(stored.unconnected, orderly.unconnected);
  EXPECT_EQ(stored.duplicated, orderly.duplicated);
  for (const Listing* other : {&orderly, &pruned}) {
    EXPECT_EQ(stored.found, other->found);
    EXPECT_EQ(stored.found_per_codimension, other->found_per_codimension);
    EXPECT_EQ(stored.labelled_per_codimension, other->labelled_per_codimension);
  }
  // Pruning only ever removes candidates.
  // (The one-vertex pass counts as tried the graphs an edge filter drops.)
  for (size_t K = 2; K < stored.tried.size() && K < pruned.tried.size(); ++K) {
    EXPECT_LE(pruned.tried[K], stored.tried[K]) << "K = " << K;
    EXPECT_EQ(pruned.tried[K], pruned.unconnected[K] + pruned.duplicated[K] + pruned.found[K]) << "K = " << K;
  }
}

}  // namespace

TEST(SearchKind, SameListingsForEverySmallType) {
  for (auto [g, n] : StableTypesUpTo(9)) expect_same_listings(g, n, std::nullopt, false);
}

TEST(SearchKind, SameListingsForEveryEdgeFilter) {
  for (auto [g, n] : StableTypesUpTo(9))
    for (int edges = 0; edges <= 3 * g - 3 + n; ++edges) expect_same_listings(g, n, edges, false);
}

TEST(SearchKind, SameLabelledListings) {
  // Labelled listings grow as n!, so only up to 2g + n = 8.
  for (auto [g, n] : StableTypesUpTo(8))
    if (n > 0) {
      expect_same_listings(g, n, std::nullopt, true);
      expect_same_listings(g, n, 3 * g - 3 + n, true);
    }
}

TEST(SearchKind, SameListingsForLargerTypes) {
  for (auto [g, n] : std::vector<std::pair<int, int>>{{5, 0}, {3, 4}, {2, 6}, {0, 12}})
    expect_same_listings(g, n, std::nullopt, false);
}

TEST(SearchKind, PrunedSearchTriesFewerCandidatesOfGenusFive) {
  Listing stored = run(5, 0, SearchKind::kStored, std::nullopt, false);
  Listing pruned = run(5, 0, SearchKind::kPruned, std::nullopt, false);
  int64_t stored_tried = 0, pruned_tried = 0;
  for (int64_t count : stored.tried) stored_tried += count;
  for (int64_t count : pruned.tried) pruned_tried += count;
  EXPECT_LT(pruned_tried, stored_tried);
}

// A split task's parts meet, in order, the very candidates the whole task
// meets, however deep the split and however few tasks run at once.
TEST(SearchKind, SplitTasksFindWhatWholeTasksFind) {
  for (auto [g, n] : std::vector<std::pair<int, int>>{{4, 0}, {3, 2}, {2, 4}, {0, 9}, {5, 0}})
    for (SearchKind kind : {SearchKind::kOrderly, SearchKind::kPruned})
      for (bool labelled : {false, true}) {
        if (labelled && n == 0) continue;
        SCOPED_TRACE("(" + std::to_string(g) + ", " + std::to_string(n) + ") kind " +
                     std::to_string(static_cast<int>(kind)) + (labelled ? " labelled" : ""));
        Listing whole = run(g, n, kind, std::nullopt, labelled, Splitting{0, 4096});
        for (Splitting splitting : {Splitting{1, 4096}, Splitting{2, 3}, Splitting{3, 1}, Splitting{6, 17}}) {
          Listing split = run(g, n, kind, std::nullopt, labelled, splitting);
          EXPECT_EQ(whole.binary, split.binary) << "rows " << splitting.rows;
          EXPECT_EQ(whole.text, split.text) << "rows " << splitting.rows;
          EXPECT_EQ(whole.tried, split.tried);
          EXPECT_EQ(whole.unconnected, split.unconnected);
          EXPECT_EQ(whole.duplicated, split.duplicated);
          EXPECT_EQ(whole.found, split.found);
          EXPECT_EQ(whole.labelled_per_codimension, split.labelled_per_codimension);
        }
      }
}
