// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_GRAPH_FACTORIAL_H_
#define STABLE_GRAPHS_GRAPH_FACTORIAL_H_

#include <stdint.h>

#include <gmpxx.h>

/// 20! is the largest factorial below 2^64.
constexpr int kLargestSmallFactorial = 20;

/// k! for 0 <= k <= kLargestSmallFactorial, as a 64-bit number.
uint64_t SmallFactorial(int k);

/// k! exactly; 1 for k <= 0.
mpz_class Factorial(int k);

#endif  // STABLE_GRAPHS_GRAPH_FACTORIAL_H_
