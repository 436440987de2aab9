// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "stream/record_io.h"

#include <errno.h>

#include <string>

#include "stream/stream_error.h"

// The record is assembled first and written in one call: large runs write
// billions of bytes.
void WriteRecord(FILE* file, const Graph& graph) {
  unsigned char record[1 + 3 * kMaxComponents + kMaxComponents * (kMaxComponents - 1) / 2 + kMaxLabels];
  size_t size = 0;
  int k = graph.K > 0 ? (graph.K < kMaxComponents ? graph.K : kMaxComponents) : 0;
  record[size++] = static_cast<unsigned char>(graph.K);
  for (int i = 0; i < k; ++i) record[size++] = static_cast<unsigned char>(graph.genus[i]);
  for (int i = 0; i < k; ++i) record[size++] = static_cast<unsigned char>(graph.marked_points[i]);
  for (int i = 0; i < k; ++i) record[size++] = static_cast<unsigned char>(graph.loops[i]);
  for (int i = 0; i + 1 < k; ++i)
    for (int j = i + 1; j < k; ++j) record[size++] = static_cast<unsigned char>(graph.adjacency[i][j]);
  if (graph.labelled)  // the vertex of each label 1 .. n
    for (int l = 0; l < graph.n && l < kMaxLabels; ++l)
      record[size++] = static_cast<unsigned char>(graph.vertex_of_label[l]);
  fwrite(record, 1, size, file);
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

void ReadRecord(FILE* f, Graph* graph) {
  Graph& out = *graph;
  int K = read_byte(f, "the number of components of a graph record");
  if (K > kMaxComponents) {
    throw BinaryStreamError("corrupt graph stream: a record has " + std::to_string(K) +
                            " components, more than the 41 a graph can hold");
  }
  if (K < 0) {
    throw BinaryStreamError("corrupt graph stream: a record has a negative number of components (" +
                            std::to_string(K) + ")");
  }
  out.K = K;
  out.g = 1 - K;
  for (int i = 0; i < K; ++i) {
    out.genus[i] = read_byte(f, "a genus");
    out.g += out.genus[i];
  }
  out.n = 0;
  for (int i = 0; i < K; ++i) {
    out.marked_points[i] = read_byte(f, "a marked-point count");
    out.n += out.marked_points[i];
  }
  for (int i = 0; i < K; ++i) {
    out.SetLoops(i, read_byte(f, "a loop count"));
    out.g += out.loops[i];
  }
  for (int i = 0; i + 1 < K; ++i) {
    for (int k = i + 1; k < K; ++k) {
      out.adjacency[i][k] = out.adjacency[k][i] = read_byte(f, "an edge multiplicity");
      out.g += out.adjacency[i][k];
    }
  }
}
