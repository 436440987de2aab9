// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_MAIN_LARGE_RUN_WARNING_H_
#define STABLE_GRAPHS_MAIN_LARGE_RUN_WARNING_H_

#include <string>

#include "main/options.h"

/// A rough projection of the stable graphs of type (g, n): a fit of
/// log10 of the known counts (every type up to about 10^7 graphs, genus 8
/// and 9 without points, and genus 10's projection), within a factor of
/// about 1.5 of every count it was fitted to.  With `labelled`, of their
/// labelled graphs.
double ProjectedGraphs(int g, int n, bool labelled);

/// The line warning that the run `options` ask for is beyond reason (more
/// than 10^9 graphs made, by ProjectedGraphs), with where to read on; ""
/// for any other run, and for a run with -C, whose share of the graphs the
/// projection does not know.
std::string LargeRunWarning(const Options& options);

#endif  // STABLE_GRAPHS_MAIN_LARGE_RUN_WARNING_H_
