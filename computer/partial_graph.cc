// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "computer/partial_graph.h"

#include <string.h>

void PartialGraph::clear_bookkeeping() {
  partial_genus = partial_marked_points = joined_pairs = genus_zero_count = 0;
  valence_cap2_sum = valence_cap3_sum = min_valence_cap2 = 0;
  memset(valence, 0, sizeof(valence));
  memset(multiplicity_count, 0, sizeof(multiplicity_count));
  distinct_mask = 0;
  canonical.Invalidate();
}

void PartialGraph::Clear(int8_t K_) {
  K = K_;
  memset(adjacency, 0, sizeof(adjacency));
  int k = K > 0 ? K : 0;
  memset(genus, 0, k);
  memset(marked_points, 0, k);
  memset(loops, 0, k);
  memset(valence, 0, k);
  partial_genus = static_cast<int8_t>(1 - K);
  partial_marked_points = 0;
  joined_pairs = 0;
  genus_zero_count = 0;
  valence_cap2_sum = 0;
  valence_cap3_sum = 0;
  codimension = 0;
  min_valence_cap2 = 2;
  distinct_mask = 1;
}
