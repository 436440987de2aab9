// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
//
// The fits were made from counts this tool wrote (-P N -S F, and -L for the
// labelled ones) on every type with up to 17 = 3g + n, and for the
// unlabelled ones also (8, 0), (9, 0) and genus 10's projection in
// bench/RESULTS.md; doc/large-runs.md says where the warning starts.
#include "main/large_run_warning.h"

#include <math.h>
#include <stdio.h>

#include <algorithm>
#include <string>

namespace {

/// More graphs than this make a run of hours (the search costs 4 to 6 µs
/// a graph in genus 8 to 10), and its output gigabytes.
constexpr double kGraphsBeyondReason = 1e9;

/// CPU seconds the search takes per graph at that size.
constexpr double kSecondsPerGraph = 5e-6;

double unlabelled_log10(double g, double n) {
  return -0.6942 + 0.7088 * g + 0.2566 * n + 0.0385 * g * g + 0.0054 * n * n + 0.1094 * g * n;
}

// Labelled counts grow with n! besides; where this fit falls below the
// unlabelled one (large genus, few points) the unlabelled one is taken.
double labelled_log10(double g, double n) {
  return -2.3106 + 1.4436 * g + 0.4355 * n - 0.0514 * g * g + 0.019 * n * n + 0.084 * g * n +
         0.4836 * lgamma(n + 1) / log(10.0);
}

/// "2e+10" as "2 x 10^10".
std::string rounded(double value) {
  int exponent = static_cast<int>(floor(log10(value)));
  int leading = static_cast<int>(lround(value / pow(10.0, exponent)));
  if (leading == 10) {
    leading = 1;
    ++exponent;
  }
  return std::to_string(leading) + " x 10^" + std::to_string(exponent);
}

/// "; the search alone takes about 28 CPU hours", or "" for less than an
/// hour.
std::string search_time(double seconds) {
  double hours = seconds / 3600;
  if (hours < 1) return "";
  std::string time = hours < 48    ? std::to_string(lround(hours)) + " CPU hours"
                     : hours < 24e3 ? std::to_string(lround(hours / 24)) + " CPU days"
                                    : rounded(hours / 24) + " CPU days";
  return "; the search alone takes about " + time;
}

}  // namespace

double ProjectedGraphs(int g, int n, bool labelled) {
  double unlabelled = unlabelled_log10(g, n);
  return pow(10.0, labelled ? std::max(unlabelled, labelled_log10(g, n)) : unlabelled);
}

std::string LargeRunWarning(const Options& options) {
  if (options.edge_filter) return "";
  int g = options.genus, n = options.marked_points;
  if (2 * g - 2 + n <= 0) return "";
  double searched = ProjectedGraphs(g, n, false);
  // Labelled graphs are made only to be printed; -P N counts them by formula.
  bool made_labelled = options.labelled && options.format != Format::kNone;
  double made = made_labelled ? ProjectedGraphs(g, n, true) : searched;
  if (made <= kGraphsBeyondReason) return "";
  std::string what = made_labelled ? "labelled stable graphs" : "stable graphs";
  return "warning: type (" + std::to_string(g) + ", " + std::to_string(n) + ") has about " + rounded(made) + " " +
         what + " (projected from known counts), beyond reason for one run" + search_time(searched * kSecondsPerGraph) +
         "; see doc/large-runs.md for runs on many machines (stable-graphs-mpi) and doc/checkpoints.md for "
         "--checkpoint";
}
