// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_CHECKPOINT_STOP_SIGNALS_H_
#define STABLE_GRAPHS_CHECKPOINT_STOP_SIGNALS_H_

/// Makes SIGINT and SIGTERM ask a checkpointed run to stop, instead of
/// ending it at once: the run records its state at the next task boundary
/// (CaughtStopSignal tells it to), cleans up, and ends by the same signal
/// (EndByCaughtSignal).  A second signal of the same kind ends the process
/// at once, as without a checkpoint.
void CatchStopSignals();

/// The signal caught since CatchStopSignals, or 0.
int CaughtStopSignal();

/// Ends the process by the signal caught, now at its default action, so
/// that the parent sees the status it would have seen without a
/// checkpoint (130 or 143 in a shell); returns when none was caught.
void EndByCaughtSignal();

#endif  // STABLE_GRAPHS_CHECKPOINT_STOP_SIGNALS_H_
