// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_POSET_TARGET_ENUMERATION_H_
#define STABLE_GRAPHS_POSET_TARGET_ENUMERATION_H_

#include "poset/poset_printer.h"

/// For a run of the tool with edge filter c >= 1: enumerates, silently, the
/// graphs of type (g, n) of codimension c - 1 (their labelled graphs when
/// `labelled`), in the order a run with -C (c - 1) prints them, and records
/// them in `printer` as the targets of its graphs' contractions.  Does
/// nothing for a printer without an edge filter or with filter 0.
void EnumerateTargets(PosetPrinter& printer, int g, int n, bool labelled);

#endif  // STABLE_GRAPHS_POSET_TARGET_ENUMERATION_H_
