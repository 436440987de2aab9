// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_EULER_EULER_CHECK_H_
#define STABLE_GRAPHS_EULER_EULER_CHECK_H_

#include <gmpxx.h>
#include <stdio.h>

#include <map>
#include <optional>
#include <string>

#include "moduli/moduli_type.h"

/// The exit status of a run whose graphs disagree with the series.
constexpr int kEulerDisagreementStatus = 4;

/// Writes a fraction as p/q in lowest terms (q = 1 for an integer).
std::string FractionText(const mpq_class& value);

/// Compares the sums over the graphs of a run of type (g, n), by
/// codimension, with PredictedEulerSums(g, n), restricted to codimension
/// edge_filter when it is given (a negative one throws
/// std::invalid_argument).  Writes one line per codimension, then the
/// total line: "total: found p/q, predicted p/q, agree" (or "disagree").
/// With `labelled` the sums are over labelled graphs, whose automorphisms
/// keep the labels, and the prediction is n! times the series: the Euler
/// characteristic of M-bar_{g,n} itself.  With a moduli type other than st
/// the prediction is PredictedEulerSums(g, n, moduli), and the first line
/// names the type.  Returns whether everything agrees; with `out` nullptr
/// it only tells, writing nothing.
bool WriteEulerCheck(FILE* out, int g, int n, std::optional<int> edge_filter, const std::map<int, mpq_class>& found,
                     bool labelled = false, ModuliType moduli = ModuliType::kStable);

#endif  // STABLE_GRAPHS_EULER_EULER_CHECK_H_
