// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_STREAM_STREAM_ERROR_H_
#define STABLE_GRAPHS_STREAM_STREAM_ERROR_H_

#include <stdio.h>

#include <stdexcept>
#include <string>

/// Thrown by the byte-stream reader for a stream that is cut short, corrupt
/// or cannot be opened or read; the message names what was being read.
class BinaryStreamError : public std::runtime_error {
 public:
  explicit BinaryStreamError(const std::string& what) : std::runtime_error(what) {}
};

/// Throws the BinaryStreamError for a read of `what` from f that delivered
/// nothing: a read error (with errno's reason) when f's error indicator is
/// set, else the end of the stream.  errno must be cleared before the read.
[[noreturn]] void ThrowReadFailure(FILE* f, const char* what);

#endif  // STABLE_GRAPHS_STREAM_STREAM_ERROR_H_
