// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "poset/stratum_poset.h"

#include <algorithm>
#include <utility>

#include "poset/edge_contraction.h"
#include "poset/stratum_key.h"

void ContractionKeys(const Graph& graph, Graph& scratch, std::vector<ContractionKey>& keys) {
  keys.clear();
  for (int u = 0; u < graph.K; ++u) {
    for (int v = u; v < graph.K; ++v) {
      int edges = u == v ? graph.loops[u] : graph.adjacency[u][v];
      if (edges == 0) continue;
      ContractEdge(graph, u, v, scratch);
      keys.emplace_back();
      ContractionKey& key = keys.back();
      key.key = StratumKey(scratch);
      key.components = scratch.K;
      key.codimension = scratch.codimension;
      key.edges = edges;
    }
  }
}

StratumPoset::StratumPoset() : scratch_(-1, -1, -1) {}

// The key starts with the number of components.
void StratumPoset::Remember(std::string key, const GraphId& id) {
  int K = static_cast<unsigned char>(key[0]);
  if (static_cast<int>(by_components_.size()) <= K) by_components_.resize(K + 1);
  by_components_[K].emplace(std::move(key), id);
}

void StratumPoset::Remember(const Graph& graph, const GraphId& id) { Remember(StratumKey(graph), id); }

const std::vector<Contraction>& StratumPoset::Contract(const Graph& graph) {
  ContractionKeys(graph, scratch_, keys_);
  return Resolve(graph.K, keys_);
}

const std::vector<Contraction>& StratumPoset::Resolve(int components, const std::vector<ContractionKey>& keys) {
  // Later graphs have at least these components, their targets at least
  // one fewer.
  for (int K = 0; K < components - 1 && K < static_cast<int>(by_components_.size()); ++K)
    if (!by_components_[K].empty()) std::unordered_map<std::string, GraphId>().swap(by_components_[K]);
  contractions_.clear();
  for (const ContractionKey& key : keys) add(key);
  std::stable_sort(contractions_.begin(), contractions_.end(), [](const Contraction& a, const Contraction& b) {
    if (a.found != b.found) return a.found;
    return a.target.components != b.target.components ? a.target.components < b.target.components
                                                      : a.target.number < b.target.number;
  });
  return contractions_;
}

void StratumPoset::add(const ContractionKey& key) {
  Contraction contraction;
  contraction.edges = key.edges;
  contraction.target.components = key.components;
  contraction.target.codimension = key.codimension;
  if (key.components < static_cast<int>(by_components_.size())) {
    const auto& known = by_components_[key.components];
    auto found = known.find(key.key);
    if (found != known.end()) {
      contraction.target = found->second;
      contraction.found = true;
    }
  }
  // Targets of one graph share their codimension: components and number
  // tell them apart.
  for (Contraction& other : contractions_) {
    if (contraction.found && other.found && other.target.number == contraction.target.number &&
        other.target.components == contraction.target.components) {
      other.edges += key.edges;
      return;
    }
  }
  contractions_.push_back(contraction);
}
