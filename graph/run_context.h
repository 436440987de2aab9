// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_GRAPH_RUN_CONTEXT_H_
#define STABLE_GRAPHS_GRAPH_RUN_CONTEXT_H_

#include <stdio.h>

/// Where a run writes, handed down by the tools, so that nothing below
/// main/ picks a process-wide stream or asks what it is.
struct RunContext {
  /// The graphs, in the chosen format (nullptr: the run prints none).
  FILE* output = nullptr;
  /// The lines of the passes and the report of the counters (nullptr:
  /// nowhere).
  FILE* report = nullptr;
  /// The live indicator of a pass's progress (nullptr: none).
  FILE* progress = nullptr;
  /// Whether someone watches `progress` as it is written (a terminal): a
  /// file or a pipe keeps exactly the bytes it would get without one.
  bool interactive = false;
};

#endif  // STABLE_GRAPHS_GRAPH_RUN_CONTEXT_H_
