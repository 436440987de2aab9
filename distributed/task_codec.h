// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_DISTRIBUTED_TASK_CODEC_H_
#define STABLE_GRAPHS_DISTRIBUTED_TASK_CODEC_H_

#include <stddef.h>
#include <stdint.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "computer/edge_task.h"
#include "graph/graph.h"
#include "moduli/moduli_type.h"

/// Bytes that cannot be the encoding they are read as.
class TaskCodecError : public std::runtime_error {
 public:
  explicit TaskCodecError(const std::string& what) : std::runtime_error(what) {}
};

/// The start of an edge task (the working graph as the loop level leaves
/// it, or as a split left it at `from` with the pairs before it assigned,
/// the moduli type of the run, its search and its bounds) as bytes, to run
/// the task in another process of the same build.
std::vector<uint8_t> EncodeTaskStart(const PartialGraph& start, ModuliType moduli, SearchKind kind,
                                     SearchPoint from = SearchPoint(), const GraphBounds& bounds = GraphBounds());
/// The start graph, the moduli type, the search, the search point and the
/// bounds back from EncodeTaskStart's bytes; TaskCodecError when they are
/// not such bytes.
PartialGraph DecodeTaskStart(const uint8_t* data, size_t size, ModuliType& moduli, SearchKind& kind,
                             SearchPoint& from, GraphBounds& bounds);

/// A finished task's counters and stored graphs as bytes.
std::vector<uint8_t> EncodeTaskResult(const EdgeTask& task);
/// Gives `task`, not run, the result EncodeTaskResult made of the same
/// task run elsewhere; TaskCodecError when the bytes do not fit it.
void DecodeTaskResult(const uint8_t* data, size_t size, EdgeTask& task);

#endif  // STABLE_GRAPHS_DISTRIBUTED_TASK_CODEC_H_
