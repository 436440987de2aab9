// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_MAIN_RUN_H_
#define STABLE_GRAPHS_MAIN_RUN_H_

#include "computer/task_runner.h"
#include "main/options.h"

/// Where a run of the enumerating tool takes place.
struct RunPlace {
  /// Where the edge tasks run; nullptr for this process's threads.
  TaskRunner* runner = nullptr;
  /// Threads of this process that run tasks and the Euler check; 0 for
  /// every CPU the process may use.
  int threads = 0;
  /// The graphs are spread over the ranks of an MPI run, whose launcher
  /// passes rank 0's standard output through a pipe.
  bool distributed = false;
};

/// Carries out what `options` ask of their tool, naming the tool `program`
/// in messages; returns the process's exit status (main/exit_status.h).
int Run(const Options& options, const char* program, const RunPlace& place = RunPlace());

/// The whole of a tool's main: parses the command line, answers a bad one
/// with the usage text, and runs.
int RunCommandLine(Tool tool, int argc, char** argv, const RunPlace& place = RunPlace());

#endif  // STABLE_GRAPHS_MAIN_RUN_H_
