// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_MODULI_MODULI_TYPE_H_
#define STABLE_GRAPHS_MODULI_MODULI_TYPE_H_

#include <stdint.h>

#include "graph/graph.h"

/// Which part of the moduli space of stable curves a run enumerates the
/// strata of: all of it, or one of the partial compactifications of the
/// smooth locus, each named as on the command line (-M).
enum class ModuliType : uint8_t {
  kStable = 0,          ///< st: every stable graph
  kCompactType = 1,     ///< ct: trees (no loop, no two edges on one pair)
  kRationalTails = 2,   ///< rt: trees with every vertex but one of genus 0
  kTreeLike = 3,        ///< tl: trees once the loops are taken away
  kSmooth = 4,          ///< sm: the one vertex without loops
};

/// The largest value of the enum, for readers of encoded values.
constexpr ModuliType kLastModuliType = ModuliType::kSmooth;

/// The command-line name: "st", "ct", "rt", "tl" or "sm".
const char* ModuliTypeName(ModuliType type);

/// Reads a command-line name; false, leaving type alone, for any other text.
bool ParseModuliType(const char* text, ModuliType& type);

/// Whether the stable graph (connected, as every stable graph is) is a
/// stratum of the given part: ct a tree, rt a tree with at most one vertex
/// of positive genus, tl a tree once its loops are removed (one edge at
/// most between two vertices), sm the one vertex without loops.  Reads the
/// description only: K, genus[], loops[] and adjacency[][].
bool IsOfModuliType(const Graph& graph, ModuliType type);

#endif  // STABLE_GRAPHS_MODULI_MODULI_TYPE_H_
