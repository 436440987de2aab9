// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "main/standard_output.h"

#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

bool FlushStandardOutput(const char* program) {
  errno = 0;
  if (fflush(stdout) == 0 && !ferror(stdout)) return true;
  fprintf(stderr, "%s: error writing standard output: %s\n", program, errno != 0 ? strerror(errno) : "a write failed");
  return false;
}

void ReserveStandardDescriptors() {
  for (int fd = 0; fd <= 2; ++fd) {
    if (fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    // The lowest free descriptor is fd itself: those below it are open.
    int opened = open("/dev/null", fd == 0 ? O_WRONLY : O_RDONLY);
    if (opened >= 0 && opened != fd) {
      dup2(opened, fd);
      close(opened);
    }
  }
}
