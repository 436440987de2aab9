// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_DISTRIBUTED_MPI_PROTOCOL_H_
#define STABLE_GRAPHS_DISTRIBUTED_MPI_PROTOCOL_H_

// The messages between rank 0, which generates and prints, and the worker
// ranks, which run edge tasks.  A worker keeps at most one request open; rank
// 0 answers it with tasks when it has some (holding it until then, across
// passes) or, at the end of the run, with kTagStop.

/// Worker to rank 0: an int32, the number of tasks the worker can take.
constexpr int kTagRequest = 1;
/// Rank 0 to worker: uint32 count, then per task uint64 index, a byte 1
/// when the task counts labelled graphs (else 0), uint32 length and the
/// EncodeTaskStart bytes.
constexpr int kTagTasks = 2;
/// Worker to rank 0: uint64 index, then the EncodeTaskResult bytes.
constexpr int kTagResult = 3;
/// Worker to rank 0: a task failed; the bytes are the message.
constexpr int kTagFailure = 4;
/// Rank 0 to worker: the run is over; no body.
constexpr int kTagStop = 5;

#endif  // STABLE_GRAPHS_DISTRIBUTED_MPI_PROTOCOL_H_
