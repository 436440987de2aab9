// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
//
// stable-graphs-mpi: the stable-graphs command distributed over the ranks of
// an MPI run.  Rank 0 is stable-graphs itself, with the edge tasks of every
// pass handed out to the other ranks as well as run on its own threads;
// the other ranks only run tasks and write nothing.
#include <mpi.h>
#include <stdio.h>
#include <stdlib.h>

#include "computer/parallel_runner.h"
#include "distributed/mpi_task_runner.h"
#include "distributed/mpi_worker.h"

/// The stable-graphs command (main/main.cc, built under this name here).
int StableGraphsMain(int argc, char** argv);

namespace {

MpiTaskRunner* runner = nullptr;

/// Runs however rank 0 ends, by return or by exit: the workers are told to
/// stop before MPI ends, so that no rank is left waiting.
void finish_rank_zero() {
  if (runner != nullptr) runner->StopWorkers();
  MPI_Finalize();
}

}  // namespace

int main(int argc, char** argv) {
  int provided = 0;
  if (MPI_Init_thread(&argc, &argv, MPI_THREAD_FUNNELED, &provided) != MPI_SUCCESS) {
    fputs("stable-graphs-mpi: MPI could not be started\n", stderr);
    return 1;
  }
  int rank = 0, ranks = 1;
  MPI_Comm_rank(MPI_COMM_WORLD, &rank);
  MPI_Comm_size(MPI_COMM_WORLD, &ranks);
  if (rank != 0) {
    int status = RunMpiWorker(UsableCpuCount());
    MPI_Finalize();
    return status;
  }
  static MpiTaskRunner mpi_runner(ranks, UsableCpuCount());
  runner = &mpi_runner;
  SetDefaultTaskRunner(runner);
  atexit(finish_rank_zero);
  return StableGraphsMain(argc, argv);
}
