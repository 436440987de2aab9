// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
//
// Eight bytes at a time, so that checking the output of a long run when it
// is resumed costs little beside reading it: each little-endian word is
// mixed in with one multiplication, whose high bits are folded back.
#include "checkpoint/output_checksum.h"

#include <string.h>

namespace {

constexpr uint64_t kPrime = 0x100000001b3ULL * 0x9e3779b1ULL | 1;

uint64_t mix(uint64_t state, uint64_t word) {
  state = (state ^ word) * kPrime;
  return state ^ (state >> 29);
}

uint64_t load(const unsigned char* bytes) {
  uint64_t word;
  memcpy(&word, bytes, sizeof(word));
#if __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
  word = __builtin_bswap64(word);
#endif
  return word;
}

}  // namespace

void OutputChecksum::Add(const char* bytes, size_t size) {
  const unsigned char* in = reinterpret_cast<const unsigned char*>(bytes);
  size_t used = static_cast<size_t>(size_ % 8);
  size_ += size;
  if (used > 0) {
    while (used < 8 && size > 0) {
      pending_[used++] = *in++;
      --size;
    }
    if (used < 8) return;
    state_ = mix(state_, load(pending_));
  }
  for (; size >= 8; in += 8, size -= 8) state_ = mix(state_, load(in));
  for (size_t i = 0; i < size; ++i) pending_[i] = in[i];
}

uint64_t OutputChecksum::Digest() const {
  unsigned char last[8] = {};
  size_t used = static_cast<size_t>(size_ % 8);
  for (size_t i = 0; i < used; ++i) last[i] = pending_[i];
  uint64_t digest = mix(mix(state_, load(last)), size_);
  // The final mix of MurmurHash3, so that every bit reaches every other.
  digest ^= digest >> 33;
  digest *= 0xff51afd7ed558ccdULL;
  digest ^= digest >> 33;
  digest *= 0xc4ceb9fe1a85ec53ULL;
  return digest ^ (digest >> 33);
}
