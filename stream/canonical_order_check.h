// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_STREAM_CANONICAL_ORDER_CHECK_H_
#define STABLE_GRAPHS_STREAM_CANONICAL_ORDER_CHECK_H_

#include <memory>
#include <string>

#include "graph/lex_least.h"
#include "graph/graph.h"

/// Checks that the records of a stream are exactly those the tool's search
/// writes: each in the tool's own form, and each after the one before it.
///
/// The search meets the candidates of one component count in the tool's
/// order (CompareInToolOrder) and writes, of each isomorphism class, the
/// least of its relabellings (graph/lex_least.h says why).  So a record
/// must have its vertices sorted by decoration and be least among its
/// relabellings, and within one section (component count and codimension)
/// the records must ascend strictly in that order.  Together these refuse a
/// graph written twice, a graph isomorphic to another one, and a graph out
/// of place, which sums over the graphs cannot see.
class CanonicalOrderCheck {
 public:
  CanonicalOrderCheck() = default;
  /// A check that goes on from where `other` is.
  CanonicalOrderCheck(const CanonicalOrderCheck& other)
      : previous_(other.previous_), has_previous_(other.has_previous_) {}
  CanonicalOrderCheck& operator=(const CanonicalOrderCheck&) = delete;

  /// "" when `record` (stable, of the stream's type, with its codimension
  /// set) may follow the records checked so far, else what is wrong.  A
  /// labelled record may repeat the description of the one before it:
  /// its labellings follow one another.
  std::string Check(const Graph& record);

 private:
  bool same_decoration_as_test(const Graph& record) const;

  Graph previous_{-1, -1, -1};
  bool has_previous_ = false;
  Graph decoration_{-1, -1, -1};  // the decoration least_ was made for
  std::unique_ptr<LexLeastTest> least_;
};

#endif  // STABLE_GRAPHS_STREAM_CANONICAL_ORDER_CHECK_H_
