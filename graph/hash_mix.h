// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_GRAPH_HASH_MIX_H_
#define STABLE_GRAPHS_GRAPH_HASH_MIX_H_

#include <stdint.h>

/// Scrambles the bits of a value (the finaliser of SplitMix64): nearby
/// inputs give unrelated outputs, for hash keys and refined colours.
inline uint64_t MixBits(uint64_t value) {
  value += 0x9e3779b97f4a7c15ULL;
  value = (value ^ (value >> 30)) * 0xbf58476d1ce4e5b9ULL;
  value = (value ^ (value >> 27)) * 0x94d049bb133111ebULL;
  return value ^ (value >> 31);
}

/// Folds one more word into a running hash.
inline uint64_t CombineHash(uint64_t hash, uint64_t word) { return MixBits(hash ^ word); }

#endif  // STABLE_GRAPHS_GRAPH_HASH_MIX_H_
