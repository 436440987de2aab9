// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "poset/poset_printer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "computer/boundary_computer.h"
#include "testing/test_support.h"
#include "poset/contraction_printer.h"
#include "poset/hasse_diagram_printer.h"
#include "testing/poset_test_support.h"

namespace {

/// What `printer` writes for `graphs`, in passes by component count as the
/// search hands them over, each pass in calls of at most `batch` graphs.
std::string print(PosetPrinter& printer, MemoryFile& file, std::vector<Graph> graphs, size_t batch = 4096) {
  printer.BeginPrint();
  for (size_t start = 0; start < graphs.size();) {
    size_t end = start;
    while (end < graphs.size() && end - start < batch && graphs[end].K == graphs[start].K) ++end;
    GraphsByCodimension pass;
    for (size_t i = start; i < end; ++i) pass[graphs[i].codimension].push_back(&graphs[i]);
    printer.PrintSomeGraph(pass);
    start = end;
  }
  printer.EndPrint();
  return file.Text();
}

std::string contractions_of(const std::vector<Graph>& graphs, std::optional<int> edge_filter = std::nullopt,
                            size_t batch = 4096, int threads = 0) {
  MemoryFile file;
  ContractionPrinter printer(file.file(), edge_filter, threads);
  return print(printer, file, graphs, batch);
}

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> result;
  for (size_t start = 0; start < text.size();) {
    size_t end = text.find('\n', start);
    result.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return result;
}

std::string id_of(const std::string& line) { return line.substr(8, line.find('"', 8) - 8); }

// A graph below the top codimension is a contraction of another graph;
// without it the check names the first graph that contracts to it.
TEST(PosetPrinter, AMissingGraphFailsTheCheck) {
  for (auto type : {std::make_pair(2, 1), std::make_pair(1, 3), std::make_pair(0, 6)}) {
    std::vector<Graph> graphs = AllGraphs(type.first, type.second);
    std::vector<std::string> complete = lines(contractions_of(graphs));
    ASSERT_EQ(graphs.size(), complete.size());
    const int top = 3 * type.first - 3 + type.second;
    for (size_t removed = 0; removed < graphs.size(); ++removed) {
      std::vector<Graph> damaged = graphs;
      damaged.erase(damaged.begin() + static_cast<long>(removed));
      MemoryFile file;
      ContractionPrinter printer(file.file(), std::nullopt);
      std::string written = print(printer, file, damaged);
      if (graphs[removed].codimension == top) {
        EXPECT_EQ("", printer.Problem());
        continue;
      }
      // The graphs after the one removed move up a line, and may be
      // renumbered: a section can now join the one before it.
      std::vector<std::string> damaged_lines = lines(written);
      ASSERT_EQ(damaged.size(), damaged_lines.size());
      std::string reference = "[\"" + id_of(complete[removed]) + "\", ";
      std::string first;
      int sources = 0;
      for (size_t i = 0; i < complete.size(); ++i) {
        if (complete[i].find(reference) == std::string::npos) continue;
        if (sources++ == 0) first = id_of(damaged_lines[i < removed ? i : i - 1]);
      }
      ASSERT_GT(sources, 0) << complete[removed];
      std::string expected = "contraction check: " + first + " contracts to a graph with " +
                             std::to_string(graphs[removed].K) + " components and codimension " +
                             std::to_string(graphs[removed].codimension) + " that is not among the graphs";
      if (sources > 1) expected += " (" + std::to_string(sources) + " graphs have a contraction missing)";
      EXPECT_EQ(expected, printer.Problem()) << "without " << complete[removed];
      EXPECT_NE(std::string::npos, written.find("[null, ")) << "without " << complete[removed];
    }
  }
}

TEST(PosetPrinter, OutputIndependentOfBatchesAndThreads) {
  std::vector<Graph> graphs = AllGraphs(3, 2);
  std::string whole = contractions_of(graphs, std::nullopt, 4096, 1);
  EXPECT_EQ(graphs.size(), lines(whole).size());
  EXPECT_EQ(whole, contractions_of(graphs, std::nullopt, 1, 1));
  EXPECT_EQ(whole, contractions_of(graphs, std::nullopt, 300, 2));
  EXPECT_EQ(whole, contractions_of(graphs, std::nullopt, 4096, 3));
  std::string filtered = contractions_of(graphs, 3, 4096, 1);
  EXPECT_EQ(filtered, contractions_of(graphs, 3, 7, 2));
  EXPECT_EQ(filtered, contractions_of(graphs, 3, 1000, 2));
}

// A run with -C c writes only codimension c; the graphs of c - 1 name the
// targets.  Graphs and targets carry the Ids of the full run: of (2, 1),
// one graph of codimension 2 has one component, three have two and one
// has three, and codimension 1 has one graph with one component and one
// with two.
TEST(PosetPrinter, AnEdgeFilterWritesOneCodimension) {
  std::vector<Graph> graphs = AllGraphs(2, 1);
  std::vector<std::string> written = lines(contractions_of(graphs, 2));
  ASSERT_EQ(5u, written.size());
  for (const std::string& line : written) EXPECT_EQ(0u, line.find("{\"id\": \"(")) << line;
  EXPECT_EQ("{\"id\": \"(1, 2, 1)\", \"codimension\": 2, \"contractions\": [[\"(1, 1, 1)\", 2]]}", written[0]);
  EXPECT_EQ("{\"id\": \"(2, 2, 1)\", \"codimension\": 2, \"contractions\": [[\"(1, 1, 1)\", 1], [\"(2, 1, 1)\", 1]]}",
            written[1]);
  EXPECT_EQ(0u, written[3].find("{\"id\": \"(2, 2, 3)\""));
  EXPECT_EQ("{\"id\": \"(3, 2, 1)\", \"codimension\": 2, \"contractions\": [[\"(2, 1, 1)\", 2]]}", written[4]);
  EXPECT_EQ("", contractions_of(graphs, 9));
}

TEST(PosetPrinter, CannotBeResumed) {
  MemoryFile file;
  HasseDiagramPrinter printer(file.file(), 2, 0, std::nullopt);
  EXPECT_FALSE(printer.RestoreState(printer.State()));
  EXPECT_FALSE(printer.RestoreState(""));
}

}  // namespace
