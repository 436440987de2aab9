// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "homology/cell_basis.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

TEST(CellBasis, FindsEveryKeyAndNoOther) {
  CellBasis basis;
  const std::string keys[] = {std::string("b\0c", 3), "a", "ab", std::string("\0", 1), "ba"};
  for (int i = 0; i < 5; ++i) basis.Add(keys[i], GraphId{1, 2, i + 1});
  basis.Seal();
  ASSERT_EQ(5u, basis.size());
  for (uint32_t i = 0; i < 5; ++i) {
    EXPECT_EQ(keys[i], basis.Key(i));
    EXPECT_EQ(static_cast<int>(i) + 1, basis.Id(i).number);
    ASSERT_TRUE(basis.Find(keys[i]).has_value());
    EXPECT_EQ(i, *basis.Find(keys[i]));
  }
  EXPECT_FALSE(basis.Find("").has_value());
  EXPECT_FALSE(basis.Find("b").has_value());
  EXPECT_FALSE(basis.Find(std::string("b\0", 2)).has_value());
}

TEST(CellBasis, AKeyTwiceIsAnError) {
  CellBasis basis;
  basis.Add("x", GraphId{});
  basis.Add("y", GraphId{});
  basis.Add("x", GraphId{});
  EXPECT_THROW(basis.Seal(), std::logic_error);
}

}  // namespace
