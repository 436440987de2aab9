// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_CHECKPOINT_OUTPUT_CHECKSUM_H_
#define STABLE_GRAPHS_CHECKPOINT_OUTPUT_CHECKSUM_H_

#include <stddef.h>
#include <stdint.h>

/// A 64-bit checksum of a run's output, extended piece by piece as the
/// output grows: the same bytes give the same Digest however they were
/// split between Add calls.  It tells an output file from another or from
/// an edited one; it is no defence against a deliberate forgery.
class OutputChecksum {
 public:
  /// Takes `size` more bytes.
  void Add(const char* bytes, size_t size);
  /// The checksum of every byte taken so far.
  uint64_t Digest() const;
  /// The number of bytes taken so far.
  uint64_t size() const { return size_; }

 private:
  uint64_t state_ = 0x9e3779b97f4a7c15ULL;
  uint64_t size_ = 0;
  unsigned char pending_[8] = {};  // the bytes of a word not yet complete
};

#endif  // STABLE_GRAPHS_CHECKPOINT_OUTPUT_CHECKSUM_H_
