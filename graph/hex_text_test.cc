// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "graph/hex_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(HexText, EveryByteValueGoesAndComesBack) {
  std::string all;
  for (int c = 0; c < 256; ++c) all.push_back(static_cast<char>(c));
  std::string text = HexText(all);
  ASSERT_EQ(512u, text.size());
  EXPECT_EQ("000102", text.substr(0, 6));
  EXPECT_EQ("7f80", text.substr(254, 4));
  EXPECT_EQ("feff", text.substr(508));
  std::string back;
  ASSERT_TRUE(BytesOfHexText(text, back));
  EXPECT_EQ(all, back);
  EXPECT_EQ("", HexText(""));
  EXPECT_TRUE(BytesOfHexText("", back));
  EXPECT_EQ("", back);
}

TEST(HexText, OnlyWhatItWritesIsRead) {
  std::string bytes;
  for (const char* bad : {"0", "abc", "0g", "AB", "a-", " 0", "00 ", "+1"})
    EXPECT_FALSE(BytesOfHexText(bad, bytes)) << bad;
  EXPECT_TRUE(BytesOfHexText("00ff", bytes));
  EXPECT_EQ(std::string("\0\xff", 2), bytes);
}

}  // namespace
