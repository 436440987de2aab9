// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "main/version.h"

// The build defines the number from the project version of CMakeLists.txt,
// so that it is declared in one place only.
#ifndef STABLE_GRAPHS_VERSION
#error "STABLE_GRAPHS_VERSION must be defined by the build"
#endif

const char* StableGraphsVersion() { return STABLE_GRAPHS_VERSION; }

void PrintVersion(FILE* file, const char* name) {
  fprintf(file, "%s %s\n", name, StableGraphsVersion());
  fputs("Copyright 2026 The stable-graphs Authors.\n", file);
  fputs("Licensed under the Apache License, Version 2.0 <https://www.apache.org/licenses/LICENSE-2.0>.\n", file);
}
