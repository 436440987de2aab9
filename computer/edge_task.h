// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_COMPUTER_EDGE_TASK_H_
#define STABLE_GRAPHS_COMPUTER_EDGE_TASK_H_

#include <limits.h>
#include <stdint.h>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

#include "computer/compact_graphs.h"
#include "computer/partial_graph.h"
#include "computer/search_kind.h"
#include "computer/search_point.h"
#include "computer/search_strategy.h"
#include "computer/task_split.h"
#include "graph/graph.h"
#include "labelled/labelled_count.h"
#include "moduli/graph_bounds.h"
#include "moduli/moduli_type.h"

/// The edge level of one pass for one decoration: every assignment of edge
/// multiplicities to a working graph whose genera, marked points and loops
/// are fixed, each complete candidate checked and the survivors stored.
///
/// Isomorphic candidates always share their decoration, so a task only
/// needs to compare candidates with its own graphs, and tasks can run on
/// separate threads.  All graphs of a task have the same codimension.
class EdgeTask {
 public:
  /// Takes the working graph as the loop level leaves it: decorations,
  /// valences and running totals set, no edge between vertices yet.  A
  /// task of a moduli type whose graphs are trees once the loops are taken
  /// away (ct, rt, tl) places only the edges of such a tree; `kind` chooses
  /// how repeated graphs are recognised, through SearchStrategy::Make.
  /// `bounds` cut every candidate outside them.
  explicit EdgeTask(const PartialGraph& start, ModuliType moduli_type = ModuliType::kStable,
                    SearchKind kind = SearchKind::kStored, SearchPoint from = SearchPoint(),
                    const GraphBounds& bounds = GraphBounds());

  /// Whether Split can divide the task: its search remembers nothing
  /// between candidates and it has rows left after `rows` rows.
  bool CanSplit(int rows) const;

  /// Runs the search until rows 0 .. rows - 1 are assigned, or every edge
  /// is placed earlier, and hands over each such point in search order:
  /// the tasks made from them (with this task's moduli type and search)
  /// find together, in that order, the graphs and counters Run would.
  /// Only the calls and branches of the search before them stay here.
  void Split(int rows, const std::function<void(const PartialGraph&, SearchPoint)>& take);

  /// Adds another task's calls, cut branches and relabelling branches.
  void AddSearchEffort(const EdgeTask& other);

  /// The codimension of every candidate grown from `start`: g - 1 + K minus
  /// the vertex genera, since the edges make up the rest of the genus.
  static int CodimensionOf(const Graph& start);

  /// Runs the edge level, bt_a(0, 1), to the end; afterwards `stored` and
  /// the counters are final and the lookup structures are released.  When
  /// `found_so_far` is given, graphs found are added to it as they come.
  void Run(std::atomic<long>* found_so_far = nullptr);

  /// The working graph the task starts from; meaningful before Run only.
  const PartialGraph& start() const { return work_graph; }

  /// Codimension shared by every candidate of the task.
  int codimension() const { return codimension_; }

  /// The moduli type the task was made for.
  ModuliType moduli_type() const { return moduli_type_; }
  /// How the task recognises repeated graphs.
  SearchKind search_kind() const { return strategy_->kind(); }
  /// Where the task's search starts.
  SearchPoint from() const { return from_; }
  /// The bounds the task's graphs keep.
  const GraphBounds& bounds() const { return bounds_; }

  // Counters of the task's complete candidates.
  int64_t tried = 0;
  int64_t unconnected = 0;
  int64_t duplicated = 0;
  int64_t found = 0;
  /// Calls of the edge level, branches cut by kPruned's row test, and
  /// branches of the relabelling tests (LexLeastTest::branches).
  int64_t nodes = 0;
  int64_t pruned = 0;
  int64_t relabelling_branches = 0;
  /// The survivors, in generation order.
  CompactGraphs stored;
  /// When set before Run, the labelled graphs over the survivors.
  std::unique_ptr<LabelledTally> labelled;

 private:
  void bt_a(int i, int j);
  void assign_pair(int i, int j);
  void join_trees(int i, int j);
  void split_trees(uint64_t tree_of_i, uint64_t tree_of_j);
  void finish_without_edges(int i, int j);
  bool needs_can_be_met(int i, int j) const;
  void complete_candidate(int final_rows);
  bool correct(int final_rows);
  int visit(int a);
  void add_to_store();
  void report_found();

  PartialGraph work_graph;
  std::unique_ptr<SearchStrategy> strategy_;  // how repeats are told, for the whole task
  bool prunes_after_rows_;                    // strategy_'s, asked once
  SearchPoint from_;
  std::optional<TaskSplit> split_;  // while Split runs
  int g_;
  int codimension_;
  bool visited_[kMaxComponents] = {};
  std::atomic<long>* found_so_far_ = nullptr;
  int found_unreported_ = 0;
  ModuliType moduli_type_;
  GraphBounds bounds_;
  int max_multiplicity_;  // of bounds_, or more than any pair can take
  // For the tree types: the edges placed form a forest, and tree_[v] holds
  // the vertices of v's tree (bit u for vertex u).
  bool forest_ = false;
  uint64_t tree_[kMaxComponents] = {};
  static_assert(sizeof(tree_[0]) * CHAR_BIT >= kMaxSearchComponents,
                "a tree's mask needs a bit for every vertex of a type within the capacity");
};

#endif  // STABLE_GRAPHS_COMPUTER_EDGE_TASK_H_
