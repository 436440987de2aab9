// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "main/version.h"

#include "graph/version.h"

void PrintVersion(FILE* file, const char* name) {
  fprintf(file, "%s %s\n", name, StableGraphsVersion());
  fputs("Copyright 2026 The stable-graphs Authors.\n", file);
  fputs("Licensed under the Apache License, Version 2.0 <https://www.apache.org/licenses/LICENSE-2.0>.\n", file);
}
