// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_MAIN_STANDARD_OUTPUT_H_
#define STABLE_GRAPHS_MAIN_STANDARD_OUTPUT_H_

/// Flushes standard output and tells whether everything written to it
/// arrived; when not, writes "program: error writing standard output: ..."
/// to standard error, so that a run that lost output does not pass for a
/// success.
bool FlushStandardOutput(const char* program);

/// Opens /dev/null on each of the descriptors 0, 1 and 2 that is closed,
/// so that no file a tool opens later (a lock file, the --output file)
/// takes its place and receives what was meant for that stream.  It is
/// opened the wrong way round (standard input for writing, the outputs
/// for reading), so that using the stream fails as it did while closed.
void ReserveStandardDescriptors();

#endif  // STABLE_GRAPHS_MAIN_STANDARD_OUTPUT_H_
