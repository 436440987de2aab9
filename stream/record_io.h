// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_STREAM_RECORD_IO_H_
#define STABLE_GRAPHS_STREAM_RECORD_IO_H_

#include <stdio.h>

#include "graph/graph.h"

/// Writes the graph's byte-stream record: K, the K genera, marked points
/// and loops, the upper triangle of the adjacency matrix row by row and, in
/// a labelled graph, the vertex of each label 1 .. n.
void WriteRecord(FILE* file, const Graph& graph);

/// Replaces the description of `graph` by the next record of a byte stream
/// (without labels: the caller reads those), taking g and n from it; throws
/// BinaryStreamError on a short read or a component count outside 0 .. 41.
/// Fields the record does not set keep their values.
void ReadRecord(FILE* file, Graph* graph);

#endif  // STABLE_GRAPHS_STREAM_RECORD_IO_H_
