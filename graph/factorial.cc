// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "graph/factorial.h"

namespace {

/// 0!, 1!, ..., 20!: counting the graphs of a search needs several per graph.
struct FactorialTable {
  uint64_t value[kLargestSmallFactorial + 1];
  constexpr FactorialTable() : value() {
    value[0] = 1;
    for (int k = 1; k <= kLargestSmallFactorial; ++k) value[k] = value[k - 1] * static_cast<uint64_t>(k);
  }
};
constexpr FactorialTable kFactorials;

}  // namespace

uint64_t SmallFactorial(int k) { return kFactorials.value[k]; }

mpz_class Factorial(int k) {
  mpz_class result;
  mpz_fac_ui(result.get_mpz_t(), k > 0 ? static_cast<unsigned long>(k) : 0);
  return result;
}
