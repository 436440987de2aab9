// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_EULER_EULER_SERIES_H_
#define STABLE_GRAPHS_EULER_EULER_SERIES_H_

#include <gmpxx.h>

#include <vector>

#include "moduli/moduli_type.h"

/// The sums over the stable graphs of type (g, n) of EulerTerm, one per
/// codimension 0 .. 3g - 3 + n, computed without building a graph: the
/// stratification of the moduli space of stable curves by stable graphs
/// read as Wick's theorem.  They add up to chi(M-bar_{g,n}) / n!.  Empty
/// for an unstable type (2g - 2 + n <= 0).
std::vector<mpq_class> PredictedEulerSums(int g, int n);

/// The same sums over the stable graphs of type (g, n) that are strata of
/// the given part of the moduli space (IsOfModuliType), one per codimension
/// 0 .. 3g - 3 + n; for st those of PredictedEulerSums(g, n).  They add up to
/// chi(M_{g,n}^{type}) / n!.  Empty for an unstable type.
std::vector<mpq_class> PredictedEulerSums(int g, int n, ModuliType type);

#endif  // STABLE_GRAPHS_EULER_EULER_SERIES_H_
