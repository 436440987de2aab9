// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
//
// Whole runs of stable-graphs and stable-graphs-convert: a graph has the
// same Id in every run that prints it (a full run, -C, the converter, any
// number of threads), counted among the printed graphs of its components
// and codimension.
#include <gtest/gtest.h>
#include <stdio.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "testing/scratch_directory.h"
#include "testing/test_process.h"

namespace {

using Args = std::vector<std::string>;

Args with(Args first, const Args& rest) {
  first.insert(first.end(), rest.begin(), rest.end());
  return first;
}

/// Standard output of a good run of the tool, without statistics.
std::string tool(const Args& args, const ProcessOptions& options = ProcessOptions()) {
  ProcessResult result = RunStableGraphs(with({"-S", "N"}, args), options);
  EXPECT_EQ(0, result.status) << testing::PrintToString(args) << "\n" << result.err;
  return result.out;
}

/// Standard output of a good run of the converter.
std::string converted(const Args& args) {
  ProcessResult result = RunConverter(args);
  EXPECT_EQ(0, result.status) << testing::PrintToString(args) << "\n" << result.err;
  return result.out;
}

/// One graph of an output: its components, codimension and Id as the
/// output states them, and its whole text (a JSON line, a DOT graph).
struct Printed {
  int components = -1, codimension = -1;
  std::string id, text;
};

/// The graphs of -P J output.
std::vector<Printed> json_graphs(const std::string& output) {
  std::vector<Printed> graphs;
  for (size_t start = 0; start < output.size();) {
    size_t end = output.find('\n', start);
    Printed graph;
    graph.text = output.substr(start, end - start);
    int K, c, number;
    size_t fields = graph.text.find("\"K\": "), id = graph.text.rfind(", \"id\": [");
    EXPECT_NE(std::string::npos, fields) << graph.text;
    EXPECT_NE(std::string::npos, id) << graph.text;
    const char* counts = "\"K\": %d, \"codimension\": %d";
    if (fields != std::string::npos &&
        sscanf(graph.text.c_str() + fields, counts, &graph.components, &graph.codimension) != 2)
      ADD_FAILURE() << graph.text;
    // The Id is the last field.
    if (id != std::string::npos &&
        sscanf(graph.text.c_str() + id, ", \"id\": [%d, %d, %d]", &K, &c, &number) == 3 &&
        graph.text.compare(graph.text.find(']', id), std::string::npos, "]}") == 0)
      graph.id = "(" + std::to_string(K) + ", " + std::to_string(c) + ", " + std::to_string(number) + ")";
    else
      ADD_FAILURE() << "no Id at the end of " << graph.text;
    graphs.push_back(graph);
    start = end + 1;
  }
  return graphs;
}

/// The graphs of -P D output.
std::vector<Printed> dot_graphs(const std::string& output) {
  std::vector<Printed> graphs;
  for (size_t start = 0; start < output.size();) {
    size_t end = output.find("\n}\n", start);
    Printed graph;
    graph.text = output.substr(start, end + 3 - start);
    if (sscanf(graph.text.c_str(), "graph \"(%d, %d,", &graph.components, &graph.codimension) != 2)
      ADD_FAILURE() << graph.text;
    graph.id = graph.text.substr(7, graph.text.find(')') - 6);
    EXPECT_NE(std::string::npos, graph.text.find("  label=\"" + graph.id + "\";\n")) << graph.text;
    graphs.push_back(graph);
    start = end + 3;
  }
  return graphs;
}

/// The texts of the graphs of one codimension.
std::vector<std::string> of_codimension(const std::vector<Printed>& graphs, int codimension) {
  std::vector<std::string> texts;
  for (const Printed& graph : graphs)
    if (graph.codimension == codimension) texts.push_back(graph.text);
  return texts;
}

/// The texts of all graphs.
std::vector<std::string> texts(const std::vector<Printed>& graphs) {
  std::vector<std::string> all;
  for (const Printed& graph : graphs) all.push_back(graph.text);
  return all;
}

/// Expects each Id to be (components, codimension, number) with the number
/// one more than the graphs of those components and that codimension
/// before it, counted without regard to the order they come in.
void expect_counted(const std::vector<Printed>& graphs, const std::string& where) {
  std::map<std::pair<int, int>, int> before;
  for (const Printed& graph : graphs) {
    int number = ++before[{graph.components, graph.codimension}];
    EXPECT_EQ("(" + std::to_string(graph.components) + ", " + std::to_string(graph.codimension) + ", " +
                  std::to_string(number) + ")",
              graph.id)
        << where << ": " << graph.text;
  }
}

struct Type {
  int g, n;
};

Args type_args(const Type& type) { return {std::to_string(type.g), std::to_string(type.n)}; }

/// Every type with 2g + n <= most that has stable graphs and at most
/// `points` marked points.
std::vector<Type> types_up_to(int most, int points) {
  std::vector<Type> types;
  for (int g = 0; 2 * g <= most; ++g)
    for (int n = 0; 2 * g + n <= most && n <= points; ++n)
      if (2 * g - 3 + n >= 0) types.push_back({g, n});
  return types;
}

class GraphIdRuns : public ScratchDirectoryTest {};

// The cases: -C 2 of (2, 0) names the graph of two components as
// the full run does, and the targets of its contractions are graphs of the
// full run.
TEST_F(GraphIdRuns, GenusTwoUnderAnEdgeFilter) {
  const std::string two_components =
      "graph \"(2, 2, 1)\" {\n"
      "  label=\"(2, 2, 1)\";\n"
      "  node [shape=circle];\n"
      "  v0 [label=<0<sub>0</sub>>];\n"
      "  v1 [label=<1<sub>0</sub>>];\n"
      "  v0 -- v0;\n"
      "  v0 -- v1;\n"
      "}\n";
  std::string full = tool({"-P", "D", "2", "0"});
  std::string filtered = tool({"-P", "D", "-C", "2", "2", "0"});
  EXPECT_NE(std::string::npos, full.find(two_components)) << full;
  EXPECT_EQ(dot_graphs(full)[2].text + two_components, filtered);
  std::string contractions = tool({"-P", "C", "-C", "2", "2", "0"});
  EXPECT_EQ(
      "{\"id\": \"(1, 2, 1)\", \"codimension\": 2, \"contractions\": [[\"(1, 1, 1)\", 2]]}\n"
      "{\"id\": \"(2, 2, 1)\", \"codimension\": 2, \"contractions\": [[\"(1, 1, 1)\", 1], [\"(2, 1, 1)\", 1]]}\n",
      contractions);
  for (const char* target : {"graph \"(1, 1, 1)\"", "graph \"(2, 1, 1)\""})
    EXPECT_NE(std::string::npos, full.find(target)) << target;
}

// Over many types, with labelled points and moduli types: the JSON lines
// of a run with -C c are exactly the full run's lines of codimension c,
// Ids included, and the Ids count the printed graphs plainly.
TEST_F(GraphIdRuns, EdgeFilterKeepsTheIdsOfTheFullRun) {
  const Args flag_sets[] = {{}, {"-L"}, {"-M", "ct"}, {"-M", "rt"}, {"-M", "tl"}, {"-L", "-M", "tl"}};
  for (const Args& flags : flag_sets) {
    for (const Type& type : types_up_to(6, flags.empty() || flags[0] != "-L" ? 6 : 4)) {
      Args args = with(flags, type_args(type));
      SCOPED_TRACE(testing::PrintToString(args));
      std::vector<Printed> full = json_graphs(tool(with({"-P", "J"}, args)));
      expect_counted(full, "full run");
      size_t listed = 0;
      for (int c = 0; c <= 3 * type.g - 3 + type.n; ++c) {
        std::vector<Printed> part = json_graphs(tool(with({"-P", "J", "-C", std::to_string(c)}, args)));
        EXPECT_EQ(of_codimension(full, c), texts(part)) << "-C " << c;
        listed += part.size();
      }
      EXPECT_EQ(full.size(), listed);
    }
  }
}

// The Graphviz output names every graph by the Id of its JSON line, in a
// full run and under -C.
TEST_F(GraphIdRuns, GraphvizAndJsonGiveTheSameIds) {
  for (const Args& args : {Args{"1", "4"}, Args{"-L", "1", "3"}, Args{"3", "1"}, Args{"-M", "ct", "2", "3"},
                           Args{"-L", "-M", "tl", "2", "2"}}) {
    SCOPED_TRACE(testing::PrintToString(args));
    std::vector<Printed> dot = dot_graphs(tool(with({"-P", "D"}, args)));
    std::vector<Printed> json = json_graphs(tool(with({"-P", "J"}, args)));
    ASSERT_EQ(json.size(), dot.size());
    for (size_t i = 0; i < dot.size(); ++i) EXPECT_EQ(json[i].id, dot[i].id);
    for (int c = 1; c <= 3; ++c)
      EXPECT_EQ(of_codimension(dot, c), texts(dot_graphs(tool(with({"-P", "D", "-C", std::to_string(c)}, args)))))
          << "-C " << c;
  }
}

// The converter gives the graphs of a stream the Ids the tool gives them:
// from the full stream, from a stream of one codimension, with -M on a
// stream of every stable graph, and from a labelled stream.
TEST_F(GraphIdRuns, ConverterGivesTheToolsIds) {
  for (const Args& args : {Args{"1", "4"}, Args{"2", "2"}, Args{"-L", "0", "6"}, Args{"-L", "2", "1"}}) {
    SCOPED_TRACE(testing::PrintToString(args));
    std::string stream = file_with("all.bin", tool(with({"-P", "B"}, args)));
    for (const char* format : {"J", "D", "C", "H"}) {
      EXPECT_EQ(tool(with({"-P", format}, args)), converted({"-P", format, stream})) << format;
      for (const char* c : {"1", "3"}) {
        std::string one = file_with("one.bin", tool(with({"-P", "B", "-C", c}, args)));
        std::string expected = tool(with({"-P", format, "-C", c}, args));
        EXPECT_EQ(expected, converted({"-P", format, "-C", c, stream})) << format << " -C " << c;
        if (format[0] == 'J' || format[0] == 'D') {
          EXPECT_EQ(expected, converted({"-P", format, one})) << format << " of the stream of -C " << c;
        }
      }
    }
    if (args[0] == "-L") continue;
    for (const char* moduli : {"ct", "tl"})
      EXPECT_EQ(tool(with({"-P", "J", "-M", moduli}, args)), converted({"-P", "J", "-M", moduli, stream})) << moduli;
  }
}

// One CPU or two, any search: the same Ids.
TEST_F(GraphIdRuns, ThreadsAndSearchesGiveTheSameIds) {
  for (const Args& args : {Args{"-P", "J", "3", "2"}, Args{"-P", "D", "-C", "4", "3", "2"}}) {
    ProcessOptions one_cpu, two_cpus;
    one_cpu.cpus = 1;
    two_cpus.cpus = 2;
    std::string expected = tool(args, one_cpu);
    EXPECT_FALSE(expected.empty());
    EXPECT_EQ(expected, tool(args, two_cpus)) << testing::PrintToString(args);
    for (const char* search : {"stored", "orderly", "pruned"})
      EXPECT_EQ(expected, tool(with({"--search", search}, args))) << search;
  }
}

}  // namespace
