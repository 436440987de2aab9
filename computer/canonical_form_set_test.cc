// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "computer/canonical_form_set.h"

#include <gtest/gtest.h>

namespace {

/// A record with a made-up canonical form of `words` words.
Graph with_form(int nautyK, uint32_t first_word, int words = 1) {
  Graph graph(0, 0, 1);
  graph.nautyK = nautyK;
  graph.nautyM = 1;
  for (int k = 0; k < words; ++k) graph.nautyCanon[k] = first_word + k;
  return graph;
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
  Graph three_words = with_form(3, 100, 3);
  set.Insert(7, three_words);
  Graph last_differs = three_words;
  last_differs.nautyCanon[2] ^= 1;
  EXPECT_FALSE(set.Contains(7, last_differs));
  Graph fewer_vertices = with_form(2, 100, 2);
  EXPECT_FALSE(set.Contains(7, fewer_vertices));
  EXPECT_TRUE(set.Contains(7, three_words));
}

TEST(CanonicalFormSet, KeepsManyFormsAcrossGrowth) {
  CanonicalFormSet set;
  for (uint32_t k = 0; k < 20000; k += 2) set.Insert(k % 3, with_form(2, k, 2));
  for (uint32_t k = 0; k < 20000; ++k) {
    bool inserted = k % 2 == 0;
    EXPECT_EQ(inserted, set.Contains(k % 3, with_form(2, k, 2))) << k;
    if (inserted) {
      EXPECT_FALSE(set.Contains((k + 1) % 3, with_form(2, k, 2))) << k;
    }
  }
}
