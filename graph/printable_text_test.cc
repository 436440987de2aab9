// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "graph/printable_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(PrintableTextTest, ReplacesControlCharactersOnly) {
  EXPECT_EQ("a?b?c?d?", PrintableText(std::string("a\nb\x1b" "c\x7f" "d\r")));
  // Bytes of UTF-8 names and every printable character stay as they are.
  std::string kept = "caf\xc3\xa9 ~!@#$%^&*()_+{}|:\"<>? /x";
  EXPECT_EQ(kept, PrintableText(kept));
  EXPECT_EQ("?x?", PrintableText(std::string("\0x\x01", 3)));
  EXPECT_EQ("", PrintableText(""));
}

}  // namespace
