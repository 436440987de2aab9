// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "labelled/labelling_printer.h"

#include <gtest/gtest.h>
#include <string.h>

#include <map>
#include <string>
#include <vector>

#include "computer/boundary_computer.h"

namespace {

/// Counts the labelled graphs it receives per codimension and checks, as
/// they pass, that each is labelled consistently with its marked points
/// and that the labellings of one graph come in strictly increasing order.
class CheckingPrinter : public GraphPrinter {
 public:
  void BeginPrint() override { calls += "B"; }
  void PrintSomeGraph(const GraphsByCodimension& graphs) override {
    calls += "P";
    for (auto& entry : graphs) {
      for (const Graph* graph : entry.second) {
        ASSERT_TRUE(graph->labelled);
        ASSERT_EQ(entry.first, graph->codimension);
        int counts[kMaxComponents] = {};
        for (int l = 0; l < graph->n; ++l) ++counts[graph->vertex_of_label[l]];
        for (int v = 0; v < graph->K; ++v) ASSERT_EQ(graph->marked_points[v], counts[v]);
        // Labels are vertex numbers, never negative: memcmp orders words.
        if (same_shape(*graph, last_)) {
          ASSERT_LT(memcmp(last_.vertex_of_label, graph->vertex_of_label, graph->n), 0)
              << "labellings of one graph out of order or repeated";
        }
        last_ = *graph;
        ++per_codimension[entry.first];
        if (keep_words) words.emplace_back(graph->vertex_of_label, graph->vertex_of_label + graph->n);
      }
    }
  }
  void EndPrint() override { calls += "E"; }

  static bool same_shape(const Graph& a, const Graph& b) {
    if (a.K != b.K || memcmp(a.genus, b.genus, a.K) != 0 || memcmp(a.marked_points, b.marked_points, a.K) != 0)
      return false;
    for (int i = 0; i < a.K; ++i)
      if (memcmp(a.adjacency[i], b.adjacency[i], a.K) != 0) return false;
    return true;
  }

  std::string calls;
  std::map<int, long> per_codimension;
  bool keep_words = false;
  std::vector<std::vector<int>> words;

 private:
  Graph last_{-1, -1, -1};
};

}  // namespace

// Every type with 2g - 2 + n <= 8: the listing holds exactly as many
// labelled graphs per codimension as Burnside's lemma counts.
TEST(LabellingPrinter, ListingAgreesWithCountingUpToEight) {
  for (int g = 0; 2 * g - 2 <= 8; ++g) {
    for (int n = 0; 2 * g - 2 + n <= 8; ++n) {
      if (2 * g - 2 + n < 1) continue;
      SCOPED_TRACE("type (" + std::to_string(g) + ", " + std::to_string(n) + ")");
      SearchSettings settings;
      settings.count_labelled = true;
      BoundaryComputer computer(g, n, settings);
      CheckingPrinter checking;
      LabellingPrinter labelling(checking);
      computer.Compute(labelling, StatisticsNone);
      for (size_t c = 0; c < computer.counters().labelled_per_codimension.size(); ++c) {
        long listed = checking.per_codimension.count(c) ? checking.per_codimension[c] : 0;
        ASSERT_EQ(computer.counters().labelled_per_codimension[c], listed) << "codimension " << c;
      }
    }
  }
}

TEST(LabellingPrinter, BatchesDoNotChangeTheSequence) {
  CheckingPrinter whole, pieces;
  whole.keep_words = pieces.keep_words = true;
  LabellingPrinter large(whole), small(pieces, 7);
  BoundaryComputer a(1, 5), b(1, 5);
  a.Compute(large, StatisticsNone);
  b.Compute(small, StatisticsNone);
  EXPECT_EQ(whole.words, pieces.words);
  EXPECT_EQ(1576u, whole.words.size());
  EXPECT_EQ("BPPPPPE", whole.calls);  // one call per pass of K = 1 .. 5
  EXPECT_EQ(0u, pieces.calls.find("BPP"));
  EXPECT_GT(pieces.calls.size(), 1576u / 7);
}
