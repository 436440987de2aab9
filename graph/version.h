// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_GRAPH_VERSION_H_
#define STABLE_GRAPHS_GRAPH_VERSION_H_

/// The version of stable-graphs the library belongs to (CMake's project
/// version), e.g. "2.0.0": what --version prints and what a LaTeX document
/// names as its author.
const char* StableGraphsVersion();

#endif  // STABLE_GRAPHS_GRAPH_VERSION_H_
