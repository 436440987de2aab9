// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_COMPUTER_CANONICAL_FORM_SET_H_
#define STABLE_GRAPHS_COMPUTER_CANONICAL_FORM_SET_H_

#include <stddef.h>
#include <stdint.h>

#include <vector>

#include "graph/canonical_form.h"

/// A hash set of cached canonical forms, each tagged with the ordinal of
/// its GraphClass, kept in one flat arena.
///
/// Canonical forms decide isomorphism only between graphs of one class, so
/// a form is found only under the class it was inserted with.  Membership
/// answers what comparing a candidate with every graph of its bucket would.
class CanonicalFormSet {
 public:
  /// Adds `form` under class `class_id`.
  void Insert(uint32_t class_id, const CanonicalForm& form);
  /// True when the same form was inserted under `class_id`.
  bool Contains(uint32_t class_id, const CanonicalForm& form);
  /// Forgets everything and releases the memory.
  void Clear();

 private:
  /// Appends the entry for (class_id, form) to the arena; returns its offset.
  uint32_t append_entry(uint32_t class_id, const CanonicalForm& form);
  /// The slot holding an entry equal to the one at `offset`, or the empty
  /// slot where it belongs.
  size_t find_slot(uint32_t offset) const;
  uint64_t hash_entry(uint32_t offset) const;
  bool equal_entries(uint32_t a, uint32_t b) const;
  void grow();

  // Entry layout: class id, vertex count, then one word per vertex.
  std::vector<uint32_t> arena_;
  // Open addressing: 0 is empty, otherwise 1 + the entry's arena offset.
  std::vector<uint32_t> slots_;
  size_t count_ = 0;
};

#endif  // STABLE_GRAPHS_COMPUTER_CANONICAL_FORM_SET_H_
