// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "testing/test_support.h"
#include "poset/contraction_printer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "computer/boundary_computer.h"
#include "testing/poset_test_support.h"

namespace {

std::string contractions(int g, int n, std::optional<int> edge_filter) {
  MemoryFile file;
  ContractionPrinter printer(file.file(), edge_filter);
  BoundaryComputer computer(g, n, SearchOfEdgeFilter(edge_filter));
  computer.Compute(printer, StatisticsNone);
  EXPECT_EQ("", printer.Problem());
  return file.Text();
}

// The seven strata of M-bar_2: g = 2; a loop on genus 1; two loops on
// genus 0; genus 1 and genus 1 on a bridge; a looped genus-0 vertex on a
// bridge to genus 1; the theta graph; two looped genus-0 vertices on a
// bridge.
TEST(ContractionPrinter, GenusTwo) {
  EXPECT_EQ(
      "{\"id\": \"(1, 0, 1)\", \"codimension\": 0, \"contractions\": []}\n"
      "{\"id\": \"(1, 1, 1)\", \"codimension\": 1, \"contractions\": [[\"(1, 0, 1)\", 1]]}\n"
      "{\"id\": \"(1, 2, 1)\", \"codimension\": 2, \"contractions\": [[\"(1, 1, 1)\", 2]]}\n"
      "{\"id\": \"(2, 1, 1)\", \"codimension\": 1, \"contractions\": [[\"(1, 0, 1)\", 1]]}\n"
      "{\"id\": \"(2, 2, 1)\", \"codimension\": 2, \"contractions\": [[\"(1, 1, 1)\", 1], [\"(2, 1, 1)\", 1]]}\n"
      "{\"id\": \"(2, 3, 1)\", \"codimension\": 3, \"contractions\": [[\"(1, 2, 1)\", 3]]}\n"
      "{\"id\": \"(2, 3, 2)\", \"codimension\": 3, \"contractions\": [[\"(1, 2, 1)\", 1], [\"(2, 2, 1)\", 2]]}\n",
      contractions(2, 0, std::nullopt));
}

// With -C 2 the graphs and their targets keep the Ids of the full run: the
// lines are those of codimension 2 above.
TEST(ContractionPrinter, GenusTwoCodimensionTwo) {
  MemoryFile file;
  ContractionPrinter printer(file.file(), 2);
  BoundaryComputer targets(2, 0, SearchOfEdgeFilter(1));
  class Record : public GraphPrinter {
   public:
    explicit Record(PosetPrinter& printer) : printer_(printer) {}
    void BeginPrint() override {}
    void EndPrint() override {}
    void PrintSomeGraph(const GraphsByCodimension& graphs) override {
      ForEachGraphToPrint(graphs, std::nullopt, [this](const Graph& graph) { printer_.RecordTarget(graph); });
    }

   private:
    PosetPrinter& printer_;
  } record(printer);
  targets.Compute(record, StatisticsNone);
  BoundaryComputer sources(2, 0, SearchOfEdgeFilter(2));
  sources.Compute(printer, StatisticsNone);
  EXPECT_EQ(
      "{\"id\": \"(1, 2, 1)\", \"codimension\": 2, \"contractions\": [[\"(1, 1, 1)\", 2]]}\n"
      "{\"id\": \"(2, 2, 1)\", \"codimension\": 2, \"contractions\": [[\"(1, 1, 1)\", 1], [\"(2, 1, 1)\", 1]]}\n",
      file.Text());
  EXPECT_EQ("", printer.Problem());
}

TEST(ContractionPrinter, EdgesAddUpToTheCodimension) {
  std::string text = contractions(3, 2, std::nullopt);
  int lines = 0;
  for (size_t start = 0; start < text.size(); start = text.find('\n', start) + 1) {
    std::string line = text.substr(start, text.find('\n', start) - start);
    int codimension = 0, used = 0;
    ASSERT_EQ(1, sscanf(line.c_str() + line.find("\"codimension\": "), "\"codimension\": %d", &codimension)) << line;
    int edges = 0;
    for (size_t at = line.find("\", "); at != std::string::npos; at = line.find("\", ", at + 1)) {
      int count = 0;
      if (sscanf(line.c_str() + at, "\", %d]%n", &count, &used) == 1) edges += count;
    }
    EXPECT_EQ(codimension, edges) << line;
    ++lines;
  }
  EXPECT_EQ(918, lines);  // the strata of M-bar_{3,2}
}

}  // namespace
