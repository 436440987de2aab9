// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "moduli/moduli_type.h"

#include <string.h>

namespace {

const char* const kNames[] = {"st", "ct", "rt", "tl", "sm"};

/// True when the edges between distinct vertices form a tree: no pair
/// joined twice, K - 1 pairs joined, all vertices reached from vertex 0.
bool edges_form_a_tree(const Graph& graph) {
  const int K = graph.K;
  int joined = 0;
  for (int u = 0; u < K; ++u)
    for (int v = u + 1; v < K; ++v) {
      if (graph.adjacency[u][v] > 1) return false;
      joined += graph.adjacency[u][v];
    }
  if (joined != K - 1) return false;
  bool reached[kMaxComponents] = {};
  int stack[kMaxComponents];
  int top = 0, count = 1;
  reached[0] = true;
  stack[top++] = 0;
  while (top > 0) {
    int u = stack[--top];
    for (int v = 0; v < K; ++v)
      if (v != u && graph.adjacency[u][v] != 0 && !reached[v]) {
        reached[v] = true;
        ++count;
        stack[top++] = v;
      }
  }
  return count == K;
}

bool has_loops(const Graph& graph) {
  for (int v = 0; v < graph.K; ++v)
    if (graph.loops[v] != 0) return true;
  return false;
}

int vertices_of_positive_genus(const Graph& graph) {
  int count = 0;
  for (int v = 0; v < graph.K; ++v) count += graph.genus[v] > 0 ? 1 : 0;
  return count;
}

}  // namespace

const char* ModuliTypeName(ModuliType type) { return kNames[static_cast<int>(type)]; }

bool ParseModuliType(const char* text, ModuliType& type) {
  for (int k = 0; k <= static_cast<int>(kLastModuliType); ++k)
    if (strcmp(text, kNames[k]) == 0) {
      type = static_cast<ModuliType>(k);
      return true;
    }
  return false;
}

bool IsOfModuliType(const Graph& graph, ModuliType type) {
  if (graph.K < 1) return false;
  switch (type) {
    case ModuliType::kStable: return true;
    case ModuliType::kCompactType: return !has_loops(graph) && edges_form_a_tree(graph);
    case ModuliType::kRationalTails:
      return !has_loops(graph) && edges_form_a_tree(graph) && vertices_of_positive_genus(graph) <= 1;
    case ModuliType::kTreeLike: return edges_form_a_tree(graph);
    case ModuliType::kSmooth: return graph.K == 1 && graph.loops[0] == 0;
  }
  return false;
}
