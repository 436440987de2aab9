// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "euler/moduli_euler.h"

#include <mutex>
#include <vector>

namespace {

/// Binomial coefficient C(n, k) as an exact integer.
mpz_class binomial(int n, int k) {
  mpz_class result;
  mpz_bin_uiui(result.get_mpz_t(), static_cast<unsigned long>(n), static_cast<unsigned long>(k));
  return result;
}

}  // namespace

// From sum_{j=0}^{m} C(m+1, j) B_j = 0 for m >= 1.  The numbers are kept
// once computed: a run asks for the same few again and again.
mpq_class Bernoulli(int m) {
  static std::mutex mutex;
  static std::vector<mpq_class> known{mpq_class(1)};
  std::lock_guard<std::mutex> lock(mutex);
  while (static_cast<int>(known.size()) <= m) {
    int next = static_cast<int>(known.size());
    mpq_class sum = 0;
    for (int j = 0; j < next; ++j) sum += binomial(next + 1, j) * known[j];
    mpq_class value = -sum / (next + 1);
    value.canonicalize();
    known.push_back(value);
  }
  return m >= 0 ? known[m] : mpq_class(0);
}

// chi(M_{0,3}) = 1 and chi(M_{h,1}) = -B_{2h} / (2h) for h >= 1 start the
// recursion chi(M_{h,k+1}) = (2 - 2h - k) chi(M_{h,k}); chi(M_h) for h >= 2
// is B_{2h} / (2h (2h - 2)), from which the recursion gives chi(M_{h,1}).
mpq_class OpenModuliEuler(int h, int k) {
  if (h < 0 || k < 0 || 2 * h - 2 + k <= 0) return 0;
  mpq_class value;
  int first;
  if (h == 0) {
    value = 1;
    first = 3;
  } else if (k == 0) {
    return Bernoulli(2 * h) / (2 * h * (2 * h - 2));
  } else {
    value = -Bernoulli(2 * h) / (2 * h);
    first = 1;
  }
  for (int j = first; j < k; ++j) value *= 2 - 2 * h - j;
  value.canonicalize();
  return value;
}
