// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "graph/graph.h"

#include <errno.h>
#include <string.h>

#include <string>

#include "graph/binary_stream_error.h"

Graph::Graph(int g_, int n_, int K_) {
  // Every field gets a defined value, so that copies never read indeterminate
  // bytes; the meaningful ones are set by whoever fills the record.
  memset(static_cast<void*>(this), 0, sizeof(*this));
  g = g_;
  n = n_;
  K = K_;
  nautyK = -1;
}

Graph::Graph(const Graph& other) { copy_from(other); }

Graph& Graph::operator=(const Graph& other) {
  if (this != &other) copy_from(other);
  return *this;
}

void Graph::copy_from(const Graph& other) {
  g = other.g;
  n = other.n;
  K = other.K;
  partial_genus = other.partial_genus;
  partial_marked_points = other.partial_marked_points;
  joined_pairs = other.joined_pairs;
  genus_zero_count = other.genus_zero_count;
  valence_cap2_sum = other.valence_cap2_sum;
  valence_cap3_sum = other.valence_cap3_sum;
  min_valence_cap2 = other.min_valence_cap2;
  codimension = other.codimension;
  int k = K > 0 ? (K < kMaxComponents ? K : kMaxComponents) : 0;
  memcpy(valence, other.valence, k);
  memcpy(genus, other.genus, k);
  memcpy(marked_points, other.marked_points, k);
  memcpy(loops, other.loops, k);
  for (int row = 0; row < k; ++row)
    memcpy(adjacency[row], other.adjacency[row], k);
  int histogram = g + 2;
  if (histogram < 0) histogram = 0;
  if (histogram > kMultiplicitySlots) histogram = kMultiplicitySlots;
  memcpy(multiplicity_count, other.multiplicity_count, histogram);
  labelled = other.labelled;
  if (labelled) memcpy(vertex_of_label, other.vertex_of_label, n > 0 ? (n < kMaxLabels ? n : kMaxLabels) : 0);
  distinct_mask = other.distinct_mask;
  nautyK = other.nautyK;
  nautyM = other.nautyM;
  memcpy(nautyCanon, other.nautyCanon, sizeof(nautyCanon));
  memcpy(nautyOrbits, other.nautyOrbits, sizeof(nautyOrbits));
  nautyGroupSize = other.nautyGroupSize;
  nautyGroupExponent = other.nautyGroupExponent;
}

void Graph::Clear(int8_t K_) {
  K = K_;
  memset(adjacency, 0, sizeof(adjacency));
  int k = K > 0 ? K : 0;
  memset(genus, 0, k);
  memset(marked_points, 0, k);
  memset(loops, 0, k);
  memset(valence, 0, k);
  partial_genus = static_cast<int8_t>(1 - K);
  partial_marked_points = 0;
  joined_pairs = 0;
  genus_zero_count = 0;
  valence_cap2_sum = 0;
  valence_cap3_sum = 0;
  codimension = 0;
  min_valence_cap2 = 2;
  distinct_mask = 1;
}

namespace {

/// Reads one signed byte of a record, naming `what` when the stream ends
/// or cannot be read.
int8_t read_byte(FILE* f, const char* what) {
  unsigned char byte;
  errno = 0;
  if (fread(&byte, 1, 1, f) != 1) ThrowReadFailure(f, what);
  return static_cast<int8_t>(byte);
}

}  // namespace

Graph::Graph(FILE* f) : Graph(0, 0, 0) { ReadRecord(f); }

void Graph::ReadRecord(FILE* f) {
  K = read_byte(f, "the number of components of a graph record");
  if (K > kMaxComponents) {
    throw BinaryStreamError("corrupt graph stream: a record has " + std::to_string(K) +
                            " components, more than the 41 a graph can hold");
  }
  if (K < 0) {
    throw BinaryStreamError("corrupt graph stream: a record has a negative number of components (" +
                            std::to_string(K) + ")");
  }
  g = 1 - K;
  for (int i = 0; i < K; ++i) {
    genus[i] = read_byte(f, "a genus");
    g += genus[i];
  }
  n = 0;
  for (int i = 0; i < K; ++i) {
    marked_points[i] = read_byte(f, "a marked-point count");
    n += marked_points[i];
  }
  for (int i = 0; i < K; ++i) {
    loops[i] = adjacency[i][i] = read_byte(f, "a loop count");
    g += loops[i];
  }
  for (int i = 0; i + 1 < K; ++i) {
    for (int k = i + 1; k < K; ++k) {
      adjacency[i][k] = adjacency[k][i] = read_byte(f, "an edge multiplicity");
      g += adjacency[i][k];
    }
  }
  nautyK = -1;
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
