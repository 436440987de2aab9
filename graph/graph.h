// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_GRAPH_GRAPH_H_
#define STABLE_GRAPHS_GRAPH_GRAPH_H_

#include <stdint.h>
#include <stdio.h>

#include <vector>

/// Largest number of components a record can hold.
constexpr int kMaxComponents = 41;
/// Vertices of the coloured graph handed to nauty: one 32-bit setword per
/// row in the libnautyW1 build the library links.
constexpr int kMaxColoredVertices = 32;
/// Largest genus of an accepted type: without marked points a graph of
/// genus g needs up to 3g - 3 coloured vertices.
constexpr int kMaxGenus = (kMaxColoredVertices + 3) / 3;
/// Entries of the multiplicity histogram; entries 0 .. g+1 are used.
constexpr int kMultiplicitySlots = kMaxGenus + 2;
/// Largest number of labels a labelled record can hold.
constexpr int kMaxLabels = 64;
/// Rows of the cached canonical graph (one 32-bit setword per row).
constexpr int kCanonWords = kMaxColoredVertices;

/// One stable graph of type (g, n), with the generator's bookkeeping and the
/// cache of its canonical form.
///
/// Only prefixes of the arrays are meaningful: the first K entries of each
/// per-vertex array and the top-left K x K block of `adjacency`.  The copy
/// constructor moves only those prefixes.
class Graph {
 public:
  /// Sets g, n, K and marks the canonical form as not computed.
  Graph(int g, int n, int K);
  /// Copies the meaningful prefixes and the cached canonical form.
  Graph(const Graph& other);
  /// Reads one record of a byte stream; throws BinaryStreamError on a short
  /// read or a component count outside 0 .. 41.
  explicit Graph(FILE* f);
  Graph& operator=(const Graph& other);
  /// Replaces the description by the next record of a byte stream, with the
  /// stream constructor's errors; fields it does not set keep their values.
  void ReadRecord(FILE* f);

  /// Prepares the record as the empty start of the generator for K vertices.
  void Clear(int8_t K);

  /// Computes and caches the canonical form of the current description.
  void ComputeDreadnaut();
  /// True when both records have the same canonical form (computed lazily).
  bool Equal(Graph& other);
  /// The same test as Equal.
  bool EqualNauty(Graph& other);
  /// True when both records give the same genera, points, loops and edges,
  /// vertex by vertex (the same description, not merely isomorphic).
  bool SameDescription(const Graph& other) const;

  /// Writes the text block of the graph.
  void PrintNormal(FILE* file) const;
  /// The labels at vertex v in ascending order, for a labelled graph.
  std::vector<int> LabelsAt(int v) const;
  /// Writes the adjacency matrix alone.
  void PrintMatrix(FILE* file) const;
  /// Writes a graph in nauty's packed form, sized by nautyK and nautyM.
  void PrintMatrixSimple(FILE* file, unsigned int* packed) const;
  /// Writes the graph's byte-stream record.
  void PrintBinary(FILE* file) const;
  /// Writes the TikZ picture of the graph.
  void PrintLaTeX(FILE* file) const;

  int32_t g;
  int32_t n;
  int32_t K;
  int8_t genus[kMaxComponents];
  int8_t marked_points[kMaxComponents];
  int8_t loops[kMaxComponents];
  int8_t adjacency[kMaxComponents][kMaxComponents];
  /// Whether the marked points carry the labels 1 .. n: label l + 1 sits
  /// at vertex vertex_of_label[l], for l < n.
  bool labelled;
  int8_t vertex_of_label[kMaxLabels];
  int8_t partial_genus;
  int8_t partial_marked_points;
  int8_t joined_pairs;
  int8_t genus_zero_count;
  int8_t valence_cap2_sum;
  int8_t valence_cap3_sum;
  int8_t valence[kMaxComponents];
  int8_t min_valence_cap2;
  int8_t codimension;
  int8_t multiplicity_count[kMultiplicitySlots];
  uint32_t distinct_mask;
  int32_t nautyK;
  int32_t nautyM;
  uint32_t nautyCanon[kCanonWords];
  /// What nauty found beside the canonical form (valid when nautyK != -1):
  /// the orbits of the vertex automorphisms, nautyOrbits[v] the least
  /// vertex of v's orbit, and the group's order, nautyGroupSize times
  /// 10^nautyGroupExponent (exact while the exponent is 0).  They describe
  /// the graph's group when its vertices are sorted by decoration, as the
  /// generator keeps them.
  int8_t nautyOrbits[kCanonWords];
  double nautyGroupSize;
  int32_t nautyGroupExponent;

 private:
  void copy_from(const Graph& other);
};

#endif  // STABLE_GRAPHS_GRAPH_GRAPH_H_
