// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "computer/canonical_form_set.h"

#include <string.h>

#include <stdexcept>

#include "graph/hash_mix.h"

namespace {

constexpr size_t kHeaderWords = 2;

}  // namespace

uint32_t CanonicalFormSet::append_entry(uint32_t class_id, const CanonicalForm& form) {
  uint32_t words = static_cast<uint32_t>(form.vertices);
  if (arena_.size() + kHeaderWords + words >= UINT32_MAX) throw std::length_error("too many canonical forms in one task");
  uint32_t offset = static_cast<uint32_t>(arena_.size());
  arena_.push_back(class_id);
  arena_.push_back(words);
  arena_.insert(arena_.end(), form.rows, form.rows + words);
  return offset;
}

uint64_t CanonicalFormSet::hash_entry(uint32_t offset) const {
  const uint32_t* entry = arena_.data() + offset;
  size_t length = kHeaderWords + entry[1];
  uint64_t h = 0;
  for (size_t k = 0; k < length; ++k) h = CombineHash(h, entry[k]);
  return h;
}

bool CanonicalFormSet::equal_entries(uint32_t a, uint32_t b) const {
  const uint32_t* x = arena_.data() + a;
  const uint32_t* y = arena_.data() + b;
  if (x[0] != y[0] || x[1] != y[1]) return false;
  return memcmp(x + kHeaderWords, y + kHeaderWords, sizeof(uint32_t) * x[1]) == 0;
}

size_t CanonicalFormSet::find_slot(uint32_t offset) const {
  size_t mask = slots_.size() - 1;
  size_t slot = hash_entry(offset) & mask;
  while (slots_[slot] != 0 && !equal_entries(slots_[slot] - 1, offset)) slot = (slot + 1) & mask;
  return slot;
}

void CanonicalFormSet::grow() {
  std::vector<uint32_t> old;
  old.swap(slots_);
  slots_.assign(old.empty() ? 64 : 2 * old.size(), 0);
  for (uint32_t entry : old)
    if (entry != 0) slots_[find_slot(entry - 1)] = entry;
}

void CanonicalFormSet::Insert(uint32_t class_id, const CanonicalForm& form) {
  if (2 * (count_ + 1) > slots_.size()) grow();
  uint32_t offset = append_entry(class_id, form);
  size_t slot = find_slot(offset);
  if (slots_[slot] != 0) {
    arena_.resize(offset);  // already present
    return;
  }
  slots_[slot] = offset + 1;
  ++count_;
}

bool CanonicalFormSet::Contains(uint32_t class_id, const CanonicalForm& form) {
  if (slots_.empty()) return false;
  // The probe goes into the arena only for the lookup.
  uint32_t offset = append_entry(class_id, form);
  bool found = slots_[find_slot(offset)] != 0;
  arena_.resize(offset);
  return found;
}

void CanonicalFormSet::Clear() {
  std::vector<uint32_t>().swap(arena_);
  std::vector<uint32_t>().swap(slots_);
  count_ = 0;
}
