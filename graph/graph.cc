// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "graph/graph.h"

#include <string.h>

Graph::Graph(int g_, int n_, int K_) {
  // Every field gets a defined value, so that copies never read indeterminate
  // bytes; the meaningful ones are set by whoever fills the record.
  memset(static_cast<void*>(this), 0, sizeof(*this));
  g = g_;
  n = n_;
  K = K_;
}

Graph::Graph(const Graph& other) { copy_description(other); }

Graph& Graph::operator=(const Graph& other) {
  if (this != &other) copy_description(other);
  return *this;
}

// Millions of graphs are copied per second into printing batches: only the
// meaningful prefixes move.
void Graph::copy_description(const Graph& other) {
  g = other.g;
  n = other.n;
  K = other.K;
  codimension = other.codimension;
  int k = K > 0 ? (K < kMaxComponents ? K : kMaxComponents) : 0;
  memcpy(genus, other.genus, k);
  memcpy(marked_points, other.marked_points, k);
  memcpy(loops, other.loops, k);
  for (int row = 0; row < k; ++row) memcpy(adjacency[row], other.adjacency[row], k);
  labelled = other.labelled;
  if (labelled) memcpy(vertex_of_label, other.vertex_of_label, n > 0 ? (n < kMaxLabels ? n : kMaxLabels) : 0);
}

bool Graph::SameDescription(const Graph& other) const {
  if (K != other.K) return false;
  for (int v = 0; v < K; ++v) {
    if (genus[v] != other.genus[v] || marked_points[v] != other.marked_points[v] || loops[v] != other.loops[v])
      return false;
    for (int w = v + 1; w < K; ++w)
      if (adjacency[v][w] != other.adjacency[v][w]) return false;
  }
  return true;
}

std::vector<int> Graph::LabelsAt(int v) const {
  std::vector<int> labels;
  for (int l = 0; l < n && l < kMaxLabels; ++l)
    if (vertex_of_label[l] == v) labels.push_back(l + 1);
  return labels;
}
