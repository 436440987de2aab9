// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "computer/canonical_form_set.h"

#include <gtest/gtest.h>

namespace {

/// A made-up canonical form of `vertices` rows.
CanonicalForm with_form(int vertices, uint32_t first_word) {
  CanonicalForm form = {};
  form.vertices = vertices;
  for (int k = 0; k < vertices; ++k) form.rows[k] = first_word + k;
  return form;
}

}  // namespace

TEST(CanonicalFormSet, FindsFormsOnlyUnderTheirClass) {
  CanonicalFormSet set;
  EXPECT_FALSE(set.Contains(0, with_form(1, 5)));
  set.Insert(0, with_form(1, 5));
  EXPECT_TRUE(set.Contains(0, with_form(1, 5)));
  EXPECT_FALSE(set.Contains(1, with_form(1, 5))) << "another class";
  EXPECT_FALSE(set.Contains(0, with_form(1, 6))) << "another word";
  set.Insert(0, with_form(1, 5));  // a second insertion changes nothing
  EXPECT_TRUE(set.Contains(0, with_form(1, 5)));
  set.Clear();
  EXPECT_FALSE(set.Contains(0, with_form(1, 5)));
}

TEST(CanonicalFormSet, ComparesEveryWordAndTheVertexCount) {
  CanonicalFormSet set;
  CanonicalForm three_words = with_form(3, 100);
  set.Insert(7, three_words);
  CanonicalForm last_differs = three_words;
  last_differs.rows[2] ^= 1;
  EXPECT_FALSE(set.Contains(7, last_differs));
  CanonicalForm fewer_vertices = with_form(2, 100);
  EXPECT_FALSE(set.Contains(7, fewer_vertices));
  EXPECT_TRUE(set.Contains(7, three_words));
}

TEST(CanonicalFormSet, KeepsManyFormsAcrossGrowth) {
  CanonicalFormSet set;
  for (uint32_t k = 0; k < 20000; k += 2) set.Insert(k % 3, with_form(2, k));
  for (uint32_t k = 0; k < 20000; ++k) {
    bool inserted = k % 2 == 0;
    EXPECT_EQ(inserted, set.Contains(k % 3, with_form(2, k))) << k;
    if (inserted) {
      EXPECT_FALSE(set.Contains((k + 1) % 3, with_form(2, k))) << k;
    }
  }
}
