// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "graph/type_capacity.h"

#include <gtest/gtest.h>
#include <limits.h>

#include <string>
#include <utility>
#include <vector>

namespace {

TEST(CapacityTest, AcceptsEveryTypeUpToTheLimits) {
  for (auto [g, n] : std::vector<std::pair<int, int>>{{0, 0}, {0, 4}, {2, 0}, {3, 1}, {8, 0}, {8, 9}, {0, 33}, {5, 18}})
    EXPECT_EQ("", CapacityProblem(g, n)) << "(" << g << ", " << n << ")";
}

TEST(CapacityTest, RejectsWithOneLine) {
  for (auto [g, n] : std::vector<std::pair<int, int>>{
           {9, 0}, {8, 10}, {0, 34}, {5, 19}, {-1, 4}, {2, -1}, {-5, -5}, {0, INT_MAX}, {INT_MAX, 0}}) {
    std::string problem = CapacityProblem(g, n);
    EXPECT_FALSE(problem.empty()) << "(" << g << ", " << n << ")";
    EXPECT_EQ(std::string::npos, problem.find('\n')) << problem;
  }
}

TEST(CapacityTest, NamesTheLimit) {
  EXPECT_NE(std::string::npos, CapacityProblem(9, 0).find('8')) << CapacityProblem(9, 0);
  EXPECT_NE(std::string::npos, CapacityProblem(8, 10).find("31")) << CapacityProblem(8, 10);
  EXPECT_NE(std::string::npos, CapacityProblem(0, 34).find("31")) << CapacityProblem(0, 34);
  EXPECT_NE(std::string::npos, CapacityProblem(-2, 0).find("negative")) << CapacityProblem(-2, 0);
  EXPECT_NE(std::string::npos, CapacityProblem(1, -3).find("negative")) << CapacityProblem(1, -3);
}

}  // namespace
