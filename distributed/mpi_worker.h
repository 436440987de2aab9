// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_DISTRIBUTED_MPI_WORKER_H_
#define STABLE_GRAPHS_DISTRIBUTED_MPI_WORKER_H_

/// A worker rank's side of a distributed run: asks rank 0 for edge tasks,
/// runs them on `threads` threads and sends their results back, until rank
/// 0 sends kTagStop.  Returns the process's exit status.
int RunMpiWorker(int threads);

#endif  // STABLE_GRAPHS_DISTRIBUTED_MPI_WORKER_H_
