// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "testing/poset_test_support.h"

#include <stdlib.h>

#include <algorithm>
#include <functional>
#include <map>

EdgeListGraph ToEdgeList(const Graph& graph) {
  EdgeListGraph list;
  for (int v = 0; v < graph.K; ++v) {
    list.genus.push_back(graph.genus[v]);
    list.points.push_back(graph.marked_points[v]);
    list.labels.emplace_back();
    for (int u = 0; u <= v; ++u)
      for (int e = 0; e < graph.adjacency[u][v]; ++e) list.edges.emplace_back(u, v);
  }
  if (graph.labelled)
    for (int l = 0; l < graph.n; ++l) list.labels[graph.vertex_of_label[l]].push_back(l + 1);
  return list;
}

EdgeListGraph ContractByBruteForce(const EdgeListGraph& graph, size_t e) {
  EdgeListGraph result = graph;
  int a = graph.edges[e].first, b = graph.edges[e].second;
  result.edges.erase(result.edges.begin() + static_cast<long>(e));
  if (a == b) {
    ++result.genus[a];
    return result;
  }
  result.genus[a] += graph.genus[b];
  result.points[a] += graph.points[b];
  result.labels[a].insert(result.labels[a].end(), graph.labels[b].begin(), graph.labels[b].end());
  std::sort(result.labels[a].begin(), result.labels[a].end());
  result.genus.erase(result.genus.begin() + b);
  result.points.erase(result.points.begin() + b);
  result.labels.erase(result.labels.begin() + b);
  auto renumber = [a, b](int v) { return v == b ? a : (v > b ? v - 1 : v); };
  for (auto& edge : result.edges) {
    int u = renumber(edge.first), v = renumber(edge.second);
    edge = {std::min(u, v), std::max(u, v)};
  }
  return result;
}

std::vector<int> BruteForceCanonicalForm(const EdgeListGraph& graph) {
  const int K = static_cast<int>(graph.genus.size());
  std::vector<std::vector<int>> multiplicity(K, std::vector<int>(K, 0));
  for (const auto& edge : graph.edges) {
    ++multiplicity[edge.first][edge.second];
    if (edge.first != edge.second) ++multiplicity[edge.second][edge.first];
  }
  std::vector<std::vector<int>> decoration(K);
  for (int v = 0; v < K; ++v) {
    decoration[v] = {graph.genus[v], graph.points[v], multiplicity[v][v], static_cast<int>(graph.labels[v].size())};
    decoration[v].insert(decoration[v].end(), graph.labels[v].begin(), graph.labels[v].end());
  }
  std::vector<int> order(K);
  for (int v = 0; v < K; ++v) order[v] = v;
  std::sort(order.begin(), order.end(), [&](int u, int v) { return decoration[u] < decoration[v]; });
  // The runs of equal decoration, each of which may be ordered any way.
  std::vector<std::pair<int, int>> runs;
  for (int start = 0; start < K;) {
    int end = start + 1;
    while (end < K && decoration[order[end]] == decoration[order[start]]) ++end;
    runs.emplace_back(start, end);
    start = end;
  }
  auto describe = [&]() {
    std::vector<int> form = {K};
    for (int i = 0; i < K; ++i) form.insert(form.end(), decoration[order[i]].begin(), decoration[order[i]].end());
    for (int i = 0; i < K; ++i)
      for (int j = i + 1; j < K; ++j) form.push_back(multiplicity[order[i]][order[j]]);
    return form;
  };
  std::vector<int> best;
  std::function<void(size_t)> each_order = [&](size_t run) {
    if (run == runs.size()) {
      std::vector<int> form = describe();
      if (best.empty() || form < best) best = form;
      return;
    }
    auto first = order.begin() + runs[run].first, last = order.begin() + runs[run].second;
    std::sort(first, last);
    do each_order(run + 1);
    while (std::next_permutation(first, last));
  };
  each_order(0);
  return best;
}

void EdgeListCollector::PrintSomeGraph(const GraphsByCodimension& graphs) {
  for (auto& entry : graphs)
    for (const Graph* graph : entry.second) this->graphs.push_back(ToEdgeList(*graph));
}

void TeePrinter::BeginPrint() {
  for (GraphPrinter* printer : printers_) printer->BeginPrint();
}

void TeePrinter::PrintSomeGraph(const GraphsByCodimension& graphs) {
  for (GraphPrinter* printer : printers_) printer->PrintSomeGraph(graphs);
}

void TeePrinter::EndPrint() {
  for (GraphPrinter* printer : printers_) printer->EndPrint();
}

std::vector<std::string> CountedIds(const std::vector<EdgeListGraph>& graphs) {
  std::map<std::pair<size_t, int>, int> before;
  std::vector<std::string> ids;
  for (const EdgeListGraph& graph : graphs) {
    std::pair<size_t, int> kind(graph.genus.size(), graph.codimension());
    ids.push_back("(" + std::to_string(kind.first) + ", " + std::to_string(kind.second) + ", " +
                  std::to_string(++before[kind]) + ")");
  }
  return ids;
}

MemoryFile::MemoryFile() : file_(open_memstream(&buffer_, &size_)) {}

MemoryFile::~MemoryFile() {
  fclose(file_);
  free(buffer_);
}

std::string MemoryFile::Text() {
  fflush(file_);
  return std::string(buffer_, size_);
}
