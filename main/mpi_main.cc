// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
//
// stable-graphs-mpi: the stable-graphs command distributed over the ranks of
// an MPI run.  Rank 0 is stable-graphs itself, with the edge tasks of every
// pass handed out to the other ranks as well as run on its own threads;
// the other ranks only run tasks and write nothing.  Ranks that share CPUs
// split them.
#include <mpi.h>
#include <sched.h>
#include <stdio.h>
#include <stdlib.h>

#include <algorithm>
#include <vector>

#include "computer/parallel_runner.h"
#include "distributed/mpi_task_runner.h"
#include "distributed/mpi_worker.h"
#include "main/run.h"

namespace {

MpiTaskRunner* runner = nullptr;

/// This rank's share of the CPUs it may use: ranks on one machine whose
/// affinity masks overlap split the CPUs they share, so that two ranks
/// started without binding on a 2-core machine run one thread each instead
/// of four threads on two cores.
int ThreadsOfThisRank() {
  cpu_set_t mine;
  CPU_ZERO(&mine);
  if (sched_getaffinity(0, sizeof(mine), &mine) != 0) return UsableCpuCount();
  MPI_Comm machine;
  MPI_Comm_split_type(MPI_COMM_WORLD, MPI_COMM_TYPE_SHARED, 0, MPI_INFO_NULL, &machine);
  int size = 1;
  MPI_Comm_size(machine, &size);
  std::vector<cpu_set_t> masks(static_cast<size_t>(size));
  MPI_Allgather(&mine, sizeof(cpu_set_t), MPI_BYTE, masks.data(), sizeof(cpu_set_t), MPI_BYTE, machine);
  MPI_Comm_free(&machine);
  int sharing = 0;
  for (cpu_set_t& other : masks) {
    cpu_set_t common;
    CPU_AND(&common, &mine, &other);
    if (CPU_COUNT(&common) > 0) ++sharing;
  }
  int cpus = UsableCpuCount();
  return sharing > 1 ? std::max(1, cpus / sharing) : cpus;
}

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
  int threads = ThreadsOfThisRank();
  if (rank != 0) {
    int status = RunMpiWorker(threads);
    MPI_Finalize();
    return status;
  }
  static MpiTaskRunner mpi_runner(ranks, threads);
  runner = &mpi_runner;
  atexit(finish_rank_zero);
  RunPlace place;
  place.runner = runner;
  place.distributed = true;
  return RunCommandLine(Tool::kEnumerate, argc, argv, place);
}
