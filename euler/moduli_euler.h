// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_EULER_MODULI_EULER_H_
#define STABLE_GRAPHS_EULER_MODULI_EULER_H_

#include <gmpxx.h>

/// The Bernoulli number B_m (B_1 = -1/2).
mpq_class Bernoulli(int m);

/// The orbifold Euler characteristic of the open moduli space M_{h,k} of
/// smooth curves of genus h with k labelled points (Harer and Zagier), for
/// 2h - 2 + k > 0 and h, k >= 0; 0 for an unstable (h, k).
mpq_class OpenModuliEuler(int h, int k);

#endif  // STABLE_GRAPHS_EULER_MODULI_EULER_H_
