// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_HOMOLOGY_HOMOLOGY_REPORT_H_
#define STABLE_GRAPHS_HOMOLOGY_HOMOLOGY_REPORT_H_

#include <gmpxx.h>
#include <stdio.h>

#include <optional>
#include <string>
#include <vector>

#include "homology/boundary_homology.h"
#include "homology/cell_complex.h"

/// The name of the complex `settings` describes: "Delta_{g,n}" or
/// "Delta_{g,n}/S_n".
std::string ComplexName(const CellComplexSettings& settings);

/// The alternating sum of the dimensions of the chain groups, sum over k
/// of (-1)^k dim C_k: the reduced Euler characteristic of the complex.
mpz_class ChainEulerCharacteristic(const std::vector<HomologyDegree>& degrees);

/// Writes the homology of a complex to `out`: a title line, the table
/// (k, dim C_k, rank d_k, dim H_k, one line per degree), how the ranks were
/// taken, and the check of the chains' Euler characteristic against
/// `reduced_euler`, the one the graphs give (when not given, from a search
/// of the relative chains alone, only the chains').  Returns whether the
/// two agree.
bool WriteHomology(FILE* out, const CellComplexSettings& settings, const std::vector<HomologyDegree>& degrees,
                   const std::optional<mpz_class>& reduced_euler);

#endif  // STABLE_GRAPHS_HOMOLOGY_HOMOLOGY_REPORT_H_
