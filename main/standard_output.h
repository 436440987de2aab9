// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_MAIN_STANDARD_OUTPUT_H_
#define STABLE_GRAPHS_MAIN_STANDARD_OUTPUT_H_

/// Flushes standard output and tells whether everything written to it
/// arrived; when not, writes "program: error writing standard output: ..."
/// to standard error, so that a run that lost output does not pass for a
/// success.
bool FlushStandardOutput(const char* program);

#endif  // STABLE_GRAPHS_MAIN_STANDARD_OUTPUT_H_
