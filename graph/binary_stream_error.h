// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_GRAPH_BINARY_STREAM_ERROR_H_
#define STABLE_GRAPHS_GRAPH_BINARY_STREAM_ERROR_H_

#include <stdexcept>
#include <string>

/// Thrown by the byte-stream reader for a stream that is cut short, corrupt
/// or cannot be opened; the message names what was being read.
class BinaryStreamError : public std::runtime_error {
 public:
  explicit BinaryStreamError(const std::string& what) : std::runtime_error(what) {}
};

#endif  // STABLE_GRAPHS_GRAPH_BINARY_STREAM_ERROR_H_
