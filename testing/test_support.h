// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_TESTING_TEST_SUPPORT_H_
#define STABLE_GRAPHS_TESTING_TEST_SUPPORT_H_

#include <stdio.h>

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "computer/search_settings.h"
#include "graph/graph.h"
#include "graph/graph_printer.h"

/// Everything `write` writes to the stream it is given, as a string.
std::string CaptureOutput(const std::function<void(FILE*)>& write);

/// A readable stream holding `bytes` (each 0 .. 255), at its start.
FILE* StreamOfBytes(const std::vector<int>& bytes);

/// One case of the shared table of streams (stream/stream_cases.txt).
struct StreamCase {
  std::string bytes;
  int graphs = -1;      // for a whole stream: how many graphs it holds
  std::string error;    // for damage: a part of the reader's message
  std::string line;     // the table line, for failure messages
};

/// The cases of the table at path; empty when it cannot be read.
std::vector<StreamCase> ReadStreamCases(const std::string& path);

/// The usage text of stable-graphs started as `program`.
std::string UsageText(const std::string& program);

/// What --version writes for the tool called `name`.
std::string VersionText(const std::string& name);

/// The LaTeX document's lines before the first graph, for type (g, n).
std::string LaTeXPreamble(int g, int n);

/// The LaTeX document's closing lines.
extern const char kLaTeXEnd[];

/// A complete record of genus.size() components; `pairs` holds the
/// multiplicities of the pairs (0,1), (0,2), ..., (K-2,K-1) row by row,
/// missing ones 0.  g, n and the codimension follow from the rest.
Graph MakeGraph(const std::vector<int>& genus, const std::vector<int>& marks, const std::vector<int>& loops,
                const std::vector<int>& pairs = {});

/// Keeps a copy of every graph it is handed, in the order handed.
class CollectingPrinter : public GraphPrinter {
 public:
  void BeginPrint() override {}
  void PrintSomeGraph(const GraphsByCodimension& graphs) override;
  void EndPrint() override {}
  std::vector<Graph> seen;
};

/// Every stable type (g, n) with 2g + n <= largest, by genus, then points.
std::vector<std::pair<int, int>> StableTypesUpTo(int largest);

/// Every stable graph of type (g, n), in the order stable-graphs prints them.
std::vector<Graph> AllGraphs(int g, int n);

/// The settings of a search for the graphs a printer's edge filter keeps:
/// those with `edge_filter` edges, or all of them when it is not given.
SearchSettings SearchOfEdgeFilter(std::optional<int> edge_filter);

#endif  // STABLE_GRAPHS_TESTING_TEST_SUPPORT_H_
