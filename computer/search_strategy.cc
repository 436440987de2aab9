// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "computer/search_strategy.h"

#include <stdexcept>

#include "computer/orderly_search.h"
#include "computer/pruned_search.h"
#include "computer/stored_search.h"

std::unique_ptr<SearchStrategy> SearchStrategy::Make(SearchKind kind) {
  switch (kind) {
    case SearchKind::kStored:
      return std::make_unique<StoredSearch>();
    case SearchKind::kOrderly:
      return std::make_unique<OrderlySearch>();
    case SearchKind::kPruned:
      return std::make_unique<PrunedSearch>();
  }
  throw std::invalid_argument("a search kind without a strategy");
}
