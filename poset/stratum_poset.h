// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_POSET_STRATUM_POSET_H_
#define STABLE_GRAPHS_POSET_STRATUM_POSET_H_

#include <string>
#include <unordered_map>
#include <vector>

#include "graph/graph.h"
#include "printers/graph_id.h"

/// One target of a graph's contractions: a graph of one codimension less,
/// and how many edges of the graph contract to it.
struct Contraction {
  /// The target's Id; when it was not found, only its components and
  /// codimension are set.
  GraphId target;
  /// Whether the target is among the graphs remembered.
  bool found = false;
  int edges = 0;
};

/// A contraction before its target is looked up: the target's canonical
/// key (StratumKey), its components and codimension, and the edges that
/// contract to it.
struct ContractionKey {
  std::string key;
  int components = 0;
  int codimension = 0;
  int edges = 0;
};

/// The keys of the contractions of `graph`, one per pair of vertices
/// joined by edges and one per vertex with loops (the parallel edges of a
/// pair, and the loops of a vertex, all contract to the same graph), into
/// `keys`; `scratch` is any record other than `graph`, overwritten.
/// Depends on nothing else, so that threads may share the work.
void ContractionKeys(const Graph& graph, Graph& scratch, std::vector<ContractionKey>& keys);

/// The graphs of a run seen so far, by canonical key, and the contractions
/// of each new graph onto them.
///
/// Graphs come in the order the tool prints them (ascending components),
/// and the contractions of a graph with K components have K or K - 1, so
/// only the graphs of the last two component counts asked about are kept.
class StratumPoset {
 public:
  StratumPoset();

  /// Remembers the graph of canonical key `key` under `id`, as a target of
  /// later contractions.
  void Remember(std::string key, const GraphId& id);
  /// The same for `graph` itself.
  void Remember(const Graph& graph, const GraphId& id);

  /// The contractions of a graph with `components` components, from the
  /// keys ContractionKeys found: one per target, the found ones in printing
  /// order (ascending components, then number), the others after them.
  /// Valid until the next call.
  const std::vector<Contraction>& Resolve(int components, const std::vector<ContractionKey>& keys);
  /// ContractionKeys and Resolve in one, for `graph`; the edges of the
  /// contractions add up to its number of edges.
  const std::vector<Contraction>& Contract(const Graph& graph);

 private:
  void add(const ContractionKey& key);

  // Index K: the graphs with K components remembered, by key.
  std::vector<std::unordered_map<std::string, GraphId>> by_components_;
  Graph scratch_;
  std::vector<ContractionKey> keys_;
  std::vector<Contraction> contractions_;
};

#endif  // STABLE_GRAPHS_POSET_STRATUM_POSET_H_
