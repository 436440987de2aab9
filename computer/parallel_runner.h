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

#endif  // STABLE_GRAPHS_COMPUTER_PARALLEL_RUNNER_H_
