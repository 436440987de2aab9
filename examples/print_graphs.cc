// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
//
// print_graphs: reads a byte stream written by `stable-graphs -P B` (from the
// file named on the command line, or standard input) and prints one line per
// graph, for instance
//
//   K=2 g=0 n=4 genus=[0 0] marked_points=[2 2] loops=[0 0] edges=[0-1:1]
//
// It uses nothing but the installed library and its public headers.
#include <stdio.h>

#include "stream/binary_graph_reader.h"

namespace {

/// Writes " name=[v0 v1 ...]" for the K values of one vertex array.
void print_array(const char* name, const int8_t* values, int K) {
  printf(" %s=[", name);
  for (int i = 0; i < K; ++i) printf(i == 0 ? "%d" : " %d", values[i]);
  printf("]");
}

/// Writes the line of one graph.
void print_graph(const Graph& graph) {
  printf("K=%d g=%d n=%d", graph.K, graph.g, graph.n);
  print_array("genus", graph.genus, graph.K);
  print_array("marked_points", graph.marked_points, graph.K);
  print_array("loops", graph.loops, graph.K);
  printf(" edges=[");
  const char* separator = "";
  for (int i = 0; i < graph.K; ++i) {
    for (int j = i + 1; j < graph.K; ++j) {
      if (graph.adjacency[i][j] == 0) continue;
      printf("%s%d-%d:%d", separator, i, j, graph.adjacency[i][j]);
      separator = " ";
    }
  }
  printf("]\n");
}

}  // namespace

int main(int argc, char** argv) {
  BinaryGraphReader reader = argc > 1 ? BinaryGraphReader(argv[1]) : BinaryGraphReader(stdin);
  try {
    for (auto& [K, graphs] : reader.Read())
      for (const Graph& graph : graphs) print_graph(graph);
  } catch (const BinaryStreamError& error) {  // missing, cut short or corrupt
    fprintf(stderr, "%s: %s\n", argv[0], error.what());
    return 1;
  }
  return fflush(stdout) == 0 && !ferror(stdout) ? 0 : 2;
}
