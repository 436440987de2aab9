// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "stream/stream_error.h"

#include <errno.h>
#include <string.h>

#include <string>

void ThrowReadFailure(FILE* f, const char* what) {
  // A failed read and the end of the stream both return short; only the
  // error indicator tells a directory, a closed descriptor or an I/O
  // error from a stream that is really over.
  if (ferror(f)) {
    int reason = errno;
    throw BinaryStreamError(std::string("error reading graph stream while reading ") + what + ": " +
                            (reason != 0 ? strerror(reason) : "read failed"));
  }
  throw BinaryStreamError(std::string("unexpected end of graph stream while reading ") + what);
}
