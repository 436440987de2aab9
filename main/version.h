// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_MAIN_VERSION_H_
#define STABLE_GRAPHS_MAIN_VERSION_H_

#include <stdio.h>

#include "graph/version.h"

/// Writes the --version text of the tool called name: a first line
/// "name version", then the copyright and license lines.
void PrintVersion(FILE* file, const char* name);

#endif  // STABLE_GRAPHS_MAIN_VERSION_H_
