// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "graph/version.h"

// The build defines the number from the project version of CMakeLists.txt,
// so that it is declared in one place only.
#ifndef STABLE_GRAPHS_VERSION
#error "STABLE_GRAPHS_VERSION must be defined by the build"
#endif

const char* StableGraphsVersion() { return STABLE_GRAPHS_VERSION; }
