// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "checkpoint/output_checksum.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

std::string sample_text(size_t size) {
  std::string text;
  for (size_t i = 0; i < size; ++i) text.push_back(static_cast<char>(((i + 1) * 2654435761u) >> 13 | 1));
  return text;
}

uint64_t digest_of(const std::string& text) {
  OutputChecksum checksum;
  checksum.Add(text.data(), text.size());
  return checksum.Digest();
}

// The output is read back in whatever pieces were appended between two
// records: any split gives the same checksum.
TEST(OutputChecksumTest, TheSameForAnySplit) {
  std::string text = sample_text(200);
  for (size_t size = 0; size <= text.size(); size += 13) {
    uint64_t whole = digest_of(text.substr(0, size));
    for (size_t first = 0; first <= size; ++first) {
      for (size_t second = first; second <= size; second += 5) {
        OutputChecksum pieces;
        pieces.Add(text.data(), first);
        pieces.Add(text.data() + first, second - first);
        pieces.Add(text.data() + second, size - second);
        ASSERT_EQ(whole, pieces.Digest()) << size << " split at " << first << ", " << second;
        ASSERT_EQ(size, pieces.size());
      }
    }
  }
}

// Every single changed bit, every length and trailing zero bytes give
// another checksum.
TEST(OutputChecksumTest, TellsEveryChangeApart) {
  std::string text = sample_text(64);
  std::set<uint64_t> seen = {digest_of(text)};
  for (size_t at = 0; at < text.size(); ++at) {
    for (int bit = 0; bit < 8; ++bit) {
      std::string changed = text;
      changed[at] = static_cast<char>(changed[at] ^ (1 << bit));
      EXPECT_TRUE(seen.insert(digest_of(changed)).second) << "byte " << at << " bit " << bit;
    }
  }
  for (size_t size = 0; size < text.size(); ++size)
    EXPECT_TRUE(seen.insert(digest_of(text.substr(0, size))).second) << "length " << size;
  for (size_t zeros = 1; zeros <= 9; ++zeros)
    EXPECT_TRUE(seen.insert(digest_of(std::string(zeros, '\0'))).second) << zeros << " zero bytes";
}

}  // namespace
