// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
//
// Expected texts and stream helpers shared by the tests.  The texts are
// written out here by hand, apart from the code that writes them, so that
// a test compares the program with what the tool is meant to write.
#include "testing/test_support.h"

#include <stdlib.h>
#include <string.h>

#include "computer/boundary_computer.h"
#include "graph/graph_printer.h"

#include <fstream>
#include <sstream>

#include "main/version.h"

std::string CaptureOutput(const std::function<void(FILE*)>& write) {
  char* buffer = nullptr;
  size_t size = 0;
  FILE* stream = open_memstream(&buffer, &size);
  write(stream);
  fclose(stream);
  std::string text(buffer, size);
  free(buffer);
  return text;
}

FILE* StreamOfBytes(const std::vector<int>& bytes) {
  FILE* stream = tmpfile();
  for (int byte : bytes) fputc(byte, stream);
  rewind(stream);
  return stream;
}

std::vector<StreamCase> ReadStreamCases(const std::string& path) {
  std::vector<StreamCase> cases;
  std::ifstream table(path);
  std::string line;
  while (std::getline(table, line)) {
    size_t bar = line.find(" | ");
    if (line.empty() || line[0] == '#' || bar == std::string::npos) continue;
    StreamCase c;
    c.line = line;
    std::istringstream hex(line.substr(0, bar));
    for (unsigned byte; hex >> std::hex >> byte;) c.bytes += static_cast<char>(byte);
    std::string outcome = line.substr(bar + 3);
    if (outcome.rfind("graphs ", 0) == 0) c.graphs = atoi(outcome.c_str() + 7);
    else if (outcome.rfind("error ", 0) == 0) c.error = outcome.substr(6);
    cases.push_back(c);
  }
  return cases;
}

std::string UsageText(const std::string& program) {
  return "Usage:\n\t" + program + " [-P L|T|B|N] [-S F|T|N] [-C C] genus [marked_points]\n" +
         "\t\t-P L: print graphs in LaTeX (default)\n"
         "\t\t-P T: print graphs in text format\n"
         "\t\t-P B: print graphs in binary format\n"
         "\t\t-P N: do not print graphs\n"
         "\t\t\n"
         "\t\t-S F: print full statistics (default)\n"
         "\t\t-S T: print terse statistics\n"
         "\t\t-S N: don't print statistics\n"
         "\t\t\n"
         "\t\t-C C: print only graphs with C edges\n"
         "Try '" +
         program + " --help' for every option.\n";
}

std::string VersionText(const std::string& name) {
  return name + " " + StableGraphsVersion() +
         "\nCopyright 2026 The stable-graphs Authors.\n"
         "Licensed under the Apache License, Version 2.0 <https://www.apache.org/licenses/LICENSE-2.0>.\n";
}

std::string LaTeXPreamble(int g, int n) {
  return "\\documentclass{article}\n\n"
         "\\usepackage{tikz}\n\\usepackage{booktabs}\n\\usepackage{longtable}\n\\usepackage{geometry}\n"
         "\\usetikzlibrary{trees}\n\n"
         "\\tikzstyle{every picture}=[scale=.5,inner sep=10]\n"
         "\\tikzstyle{every node}=[draw,circle,inner sep=1]\n\n"
         "\\title{Strata of $\\overline{\\mathcal{M}}_{" +
         std::to_string(g) + "," + std::to_string(n) +
         "}$}\n"
         "\\author{stable-graphs " +
         StableGraphsVersion() +
         "}\n\\date{\\today}\n\n"
         "\\begin{document}\n\\maketitle\n\n"
         "Legend: Id = (components, codimension, unique id); G = Graph.\n\n"
         "  \\begin{longtable}{c@{}c|c@{}c|c@{}c|c@{}c}\n"
         "    \\toprule\n"
         "    Id & G &\n    Id & G &\n    Id & G &\n    Id & G \\\\\n"
         "    \\midrule\n    \\endhead\n\n"
         "    \\bottomrule\n    \\endfoot\n\n";
}

const char kLaTeXEnd[] = "  \\end{longtable}\n\\end{document}\n";

Graph MakeGraph(const std::vector<int>& genus, const std::vector<int>& marks, const std::vector<int>& loops,
                const std::vector<int>& pairs) {
  int K = static_cast<int>(genus.size());
  Graph graph(0, 0, K);
  int g = 1 - K, n = 0, edges = 0;
  for (int i = 0; i < K; ++i) {
    graph.genus[i] = static_cast<int8_t>(genus[i]);
    graph.marked_points[i] = static_cast<int8_t>(marks[i]);
    graph.SetLoops(i, loops[i]);
    g += genus[i] + loops[i];
    n += marks[i];
    edges += loops[i];
  }
  size_t p = 0;
  for (int i = 0; i < K; ++i) {
    for (int k = i + 1; k < K; ++k, ++p) {
      int m = p < pairs.size() ? pairs[p] : 0;
      graph.adjacency[i][k] = graph.adjacency[k][i] = static_cast<int8_t>(m);
      g += m;
      edges += m;
    }
  }
  graph.g = g;
  graph.n = n;
  graph.codimension = static_cast<int8_t>(edges);
  return graph;
}

void CollectingPrinter::PrintSomeGraph(const GraphsByCodimension& graphs) {
  ForEachGraphToPrint(graphs, std::nullopt, [this](const Graph& graph) { seen.push_back(graph); });
}

std::vector<std::pair<int, int>> StableTypesUpTo(int largest) {
  std::vector<std::pair<int, int>> types;
  for (int g = 0; 2 * g <= largest; ++g)
    for (int n = 0; 2 * g + n <= largest; ++n)
      if (2 * g - 2 + n > 0) types.emplace_back(g, n);
  return types;
}

std::vector<Graph> AllGraphs(int g, int n) {
  CollectingPrinter printer;
  BoundaryComputer computer(g, n);
  computer.Compute(printer, StatisticsNone);
  return printer.seen;
}

SearchSettings SearchOfEdgeFilter(std::optional<int> edge_filter) {
  SearchSettings settings;
  settings.codimension = edge_filter;
  return settings;
}
