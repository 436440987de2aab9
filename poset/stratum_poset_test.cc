// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
//
// The contractions the poset printers write, against a brute force: every
// edge of every graph contracted on an edge list, the result looked up by
// the least description over all vertex orders, and the graphs named by
// Ids counted plainly over the full run.
#include "poset/stratum_poset.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "computer/boundary_computer.h"
#include "labelled/labelling_printer.h"
#include "poset/contraction_printer.h"
#include "testing/poset_test_support.h"
#include "testing/test_support.h"
#include "poset/target_enumeration.h"

namespace {

/// The graphs of one run with their Ids.
struct NamedGraphs {
  std::vector<EdgeListGraph> graphs;
  std::vector<std::string> ids;
};

/// Runs the search of (g, n) with edge_filter into `extra`, which may be
/// null, and names its graphs as the full run does.
NamedGraphs run(int g, int n, bool labelled, std::optional<int> edge_filter, GraphPrinter* extra = nullptr) {
  EdgeListCollector collector;
  std::vector<GraphPrinter*> printers = {&collector};
  if (extra != nullptr) printers.push_back(extra);
  TeePrinter tee(printers);
  LabellingPrinter labelling(tee);
  BoundaryComputer computer(g, n, SearchOfEdgeFilter(edge_filter));
  computer.Compute(labelled ? static_cast<GraphPrinter&>(labelling) : tee, StatisticsNone);
  NamedGraphs named;
  named.graphs = collector.graphs;
  named.ids = CountedIds(named.graphs);
  return named;
}

/// The graphs of `all` of one codimension, with their Ids.
NamedGraphs of_codimension(const NamedGraphs& all, int codimension) {
  NamedGraphs some;
  for (size_t i = 0; i < all.graphs.size(); ++i) {
    if (all.graphs[i].codimension() != codimension) continue;
    some.graphs.push_back(all.graphs[i]);
    some.ids.push_back(all.ids[i]);
  }
  return some;
}

/// The components and the number of an Id "(K, c, i)".
std::pair<int, int> order_key(const std::string& id) {
  int K, c, i;
  EXPECT_EQ(3, sscanf(id.c_str(), "(%d, %d, %d)", &K, &c, &i)) << id;
  return {K, i};
}

/// The lines ContractionPrinter should write for `sources`, whose
/// contractions land among `targets`.
std::string expected_lines(const NamedGraphs& sources, const NamedGraphs& targets) {
  std::map<std::vector<int>, size_t> target_of_form;
  for (size_t t = 0; t < targets.graphs.size(); ++t)
    target_of_form.emplace(BruteForceCanonicalForm(targets.graphs[t]), t);
  std::string lines;
  for (size_t s = 0; s < sources.graphs.size(); ++s) {
    const EdgeListGraph& source = sources.graphs[s];
    std::map<size_t, int> edges_to;
    for (size_t e = 0; e < source.edges.size(); ++e) {
      auto found = target_of_form.find(BruteForceCanonicalForm(ContractByBruteForce(source, e)));
      if (found == target_of_form.end()) {
        ADD_FAILURE() << "a contraction of " << sources.ids[s] << " is no graph of the run";
        continue;
      }
      ++edges_to[found->second];
    }
    std::vector<std::pair<std::pair<int, int>, std::string>> sorted;
    for (const auto& entry : edges_to)
      sorted.push_back({order_key(targets.ids[entry.first]),
                        "[\"" + targets.ids[entry.first] + "\", " + std::to_string(entry.second) + "]"});
    std::sort(sorted.begin(), sorted.end());
    lines += "{\"id\": \"" + sources.ids[s] + "\", \"codimension\": " + std::to_string(source.codimension()) +
             ", \"contractions\": [";
    for (size_t k = 0; k < sorted.size(); ++k) lines += (k == 0 ? "" : ", ") + sorted[k].second;
    lines += "]}\n";
  }
  return lines;
}

struct Type {
  int g, n;
};

/// Every type with 2g + n <= most that has stable graphs.
std::vector<Type> types_up_to(int most) {
  std::vector<Type> types;
  for (int g = 0; 2 * g <= most; ++g)
    for (int n = 0; 2 * g + n <= most; ++n)
      if (2 * g - 3 + n >= 0) types.push_back({g, n});
  return types;
}

std::string type_name(const Type& type, bool labelled) {
  return "(" + std::to_string(type.g) + ", " + std::to_string(type.n) + ")" + (labelled ? " labelled" : "");
}

TEST(StratumPosetBruteForce, EveryGraphUpToEight) {
  for (bool labelled : {false, true}) {
    for (const Type& type : types_up_to(8)) {
      SCOPED_TRACE(type_name(type, labelled));
      MemoryFile output;
      ContractionPrinter printer(output.file(), std::nullopt);
      NamedGraphs all = run(type.g, type.n, labelled, std::nullopt, &printer);
      EXPECT_TRUE(printer.Problem().empty()) << printer.Problem();
      std::string written = output.Text();
      ASSERT_EQ(expected_lines(all, all), written);
    }
  }
}

// The tool enumerates the targets first (EnumerateTargets); the converter
// hands the printer every graph of the stream.  Both name the graphs and
// their targets as the full run does.
TEST(StratumPosetBruteForce, OneCodimensionUpToSeven) {
  for (bool labelled : {false, true}) {
    for (const Type& type : types_up_to(7)) {
      NamedGraphs all = run(type.g, type.n, labelled, std::nullopt);
      for (int c = 1; c <= 3 * type.g - 3 + type.n; ++c) {
        SCOPED_TRACE(type_name(type, labelled) + " -C " + std::to_string(c));
        NamedGraphs targets = of_codimension(all, c - 1), sources = of_codimension(all, c);
        MemoryFile tool_output;
        ContractionPrinter tool(tool_output.file(), c);
        EnumerateTargets(tool, type.g, type.n, labelled);
        EXPECT_EQ(sources.graphs.size(), run(type.g, type.n, labelled, c, &tool).graphs.size());
        ASSERT_EQ(expected_lines(sources, targets), tool_output.Text());
        EXPECT_TRUE(tool.Problem().empty()) << tool.Problem();
        MemoryFile converter_output;
        ContractionPrinter converter(converter_output.file(), c);
        run(type.g, type.n, labelled, std::nullopt, &converter);
        EXPECT_EQ(tool_output.Text(), converter_output.Text());
      }
    }
  }
}

TEST(StratumPoset, ContractionsAddUpToTheEdges) {
  for (const Type& type : types_up_to(9)) {
    int checked = 0;
    class Check : public GraphPrinter {
     public:
      explicit Check(int& checked) : checked_(checked) {}
      void BeginPrint() override {}
      void EndPrint() override {}
      void PrintSomeGraph(const GraphsByCodimension& graphs) override {
        for (auto& entry : graphs) {
          for (const Graph* graph : entry.second) {
            int edges = 0;
            for (const Contraction& contraction : poset_.Contract(*graph)) {
              EXPECT_TRUE(contraction.found);
              EXPECT_EQ(graph->codimension - 1, contraction.target.codimension);
              EXPECT_TRUE(contraction.target.components == graph->K || contraction.target.components == graph->K - 1);
              edges += contraction.edges;
            }
            EXPECT_EQ(graph->codimension, edges);
            poset_.Remember(*graph, numbering_.Next(*graph));
            ++checked_;
          }
        }
      }

     private:
      int& checked_;
      StratumPoset poset_;
      GraphIdNumbering numbering_;
    } check(checked);
    BoundaryComputer computer(type.g, type.n);
    computer.Compute(check, StatisticsNone);
    EXPECT_GT(checked, 0) << type_name(type, false);
  }
}

}  // namespace
