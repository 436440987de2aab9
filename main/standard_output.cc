// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "main/standard_output.h"

#include <errno.h>
#include <stdio.h>
#include <string.h>

bool FlushStandardOutput(const char* program) {
  errno = 0;
  if (fflush(stdout) == 0 && !ferror(stdout)) return true;
  fprintf(stderr, "%s: error writing standard output: %s\n", program, errno != 0 ? strerror(errno) : "a write failed");
  return false;
}
