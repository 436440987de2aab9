// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_PRINTERS_OUTPUT_ERROR_H_
#define STABLE_GRAPHS_PRINTERS_OUTPUT_ERROR_H_

#include <stdexcept>
#include <string>

/// Thrown when a stream that must carry all of a run's output has failed;
/// the message names the stream and the reason.
class OutputError : public std::runtime_error {
 public:
  explicit OutputError(const std::string& what) : std::runtime_error(what) {}
};

#endif  // STABLE_GRAPHS_PRINTERS_OUTPUT_ERROR_H_
