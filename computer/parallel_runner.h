// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_COMPUTER_PARALLEL_RUNNER_H_
#define STABLE_GRAPHS_COMPUTER_PARALLEL_RUNNER_H_

#include <stddef.h>

#include <functional>

/// Number of CPUs this process may run on (its affinity mask), at least 1.
int UsableCpuCount();

/// Calls run(0) .. run(count - 1), each exactly once, on up to `threads`
/// threads (the calling one included), handing out indices in ascending
/// order.  The first exception thrown by a call is rethrown here after all
/// threads have stopped.
void RunInParallel(size_t count, int threads, const std::function<void(size_t)>& run);

/// Calls run(first) .. run(count - 1) on `threads` threads of its own, in
/// ascending order of start, and done(i) on the calling thread for each i
/// in ascending order, as soon as run(i) and every done before it have
/// returned.  The first exception of a run or a done is rethrown here after
/// all threads have stopped; no done follows a failed run.
void RunInOrder(size_t first, size_t count, int threads, const std::function<void(size_t)>& run,
                const std::function<void(size_t)>& done);

#endif  // STABLE_GRAPHS_COMPUTER_PARALLEL_RUNNER_H_
