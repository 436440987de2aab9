// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_GRAPH_GRAPH_H_
#define STABLE_GRAPHS_GRAPH_GRAPH_H_

#include <stdint.h>

#include <vector>

/// Largest number of components a record can hold.
constexpr int kMaxComponents = 41;
/// Vertices of the coloured graph handed to nauty: one 32-bit setword per
/// row in the libnautyW1 build the library links.
constexpr int kMaxColoredVertices = 32;
/// Most components of a graph of a type within the capacity: every
/// component is one of the coloured vertices of its graph, so no search of
/// such a type meets more.  A mask with one bit per vertex of a searched
/// graph needs this many bits.
constexpr int kMaxSearchComponents = kMaxColoredVertices;
static_assert(kMaxSearchComponents <= kMaxComponents, "a record holds every graph a search meets");
/// Largest genus of an accepted type.  Without an edge filter the
/// coloured vertices bound it to 11; with one, the search's store, which
/// packs an edge multiplicity (at most g + 1) into four bits, bounds it.
constexpr int kMaxGenus = 14;
/// Entries of a multiplicity histogram; entries 0 .. g+1 are used.
constexpr int kMultiplicitySlots = kMaxGenus + 2;
/// Largest number of labels a labelled record can hold.
constexpr int kMaxLabels = 64;
/// Largest number of marked points of an accepted type: as many as the
/// labels a record holds.
constexpr int kMaxMarkedPoints = kMaxLabels;
// A vertex's valence, up to n + 2g (one vertex carrying every point and
// g loops), is kept in 8 bits.
static_assert(kMaxMarkedPoints + 2 * kMaxGenus <= 127, "valences fit int8_t");

/// One stable graph of type (g, n): the genus, marked points and loops of
/// each of its K components and the edge multiplicities between them.
///
/// Only prefixes of the arrays are meaningful: the first K entries of each
/// per-vertex array, the top-left K x K block of `adjacency` and, in a
/// labelled graph, the first n entries of `vertex_of_label`.  Copies move
/// only those prefixes.
struct Graph {
  /// Sets g, n, K and zeroes everything else.
  Graph(int g, int n, int K);
  Graph(const Graph& other);
  Graph& operator=(const Graph& other);

  /// True when both records give the same genera, points, loops and edges,
  /// vertex by vertex (the same description, not merely isomorphic).
  bool SameDescription(const Graph& other) const;
  /// The labels at vertex v in ascending order, for a labelled graph.
  std::vector<int> LabelsAt(int v) const;
  /// Gives vertex v `count` loops: `loops[v]` and the adjacency diagonal,
  /// which repeats it, are written only here.
  void SetLoops(int v, int count) { loops[v] = adjacency[v][v] = static_cast<int8_t>(count); }

  int32_t g;
  int32_t n;
  int32_t K;
  int8_t genus[kMaxComponents];
  int8_t marked_points[kMaxComponents];
  int8_t loops[kMaxComponents];
  /// Edge multiplicities, symmetric; the diagonal repeats the loops.
  int8_t adjacency[kMaxComponents][kMaxComponents];
  /// Whether the marked points carry the labels 1 .. n: label l + 1 sits
  /// at vertex vertex_of_label[l], for l < n.
  bool labelled;
  int8_t vertex_of_label[kMaxLabels];
  /// The number of edges, loops included.
  int8_t codimension;

 protected:
  void copy_description(const Graph& other);
};

#endif  // STABLE_GRAPHS_GRAPH_GRAPH_H_
