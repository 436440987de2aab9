// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_COMPUTER_EDGE_TASK_H_
#define STABLE_GRAPHS_COMPUTER_EDGE_TASK_H_

#include <limits.h>
#include <stdint.h>

#include <atomic>
#include <functional>
#include <map>
#include <memory>

#include "computer/canonical_form_set.h"
#include "computer/compact_graphs.h"
#include "computer/partial_graph.h"
#include "computer/search_kind.h"
#include "graph/canonical_form.h"
#include "graph/graph.h"
#include "graph/graph_class.h"
#include "graph/lex_least.h"
#include "labelled/labelled_count.h"
#include "moduli/graph_bounds.h"
#include "moduli/moduli_type.h"

/// The pair of vertices an edge task's search takes up: every pair before
/// it, row by row, is already assigned in the task's start graph.
struct SearchPoint {
  int i = 0;
  int j = 1;
  bool operator==(const SearchPoint& other) const { return i == other.i && j == other.j; }
};

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
  /// how repeated graphs are recognised.
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
  SearchKind search_kind() const { return kind_; }
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
  /// How the graphs of one GraphClass are held for the duplicate test.
  struct ClassBucket {
    uint32_t ordinal;       // tags the class's canonical forms
    size_t size = 0;        // graphs stored in the class
    long unformed = -1;     // stored graph whose form is not computed yet
  };

  void bt_a(int i, int j);
  void assign_pair(int i, int j);
  void replay_row_tests(int rows);
  void join_trees(int i, int j);
  void split_trees(uint64_t tree_of_i, uint64_t tree_of_j);
  void finish_without_edges(int i, int j);
  bool needs_can_be_met(int i, int j) const;
  void complete_candidate();
  bool correct();
  bool is_least();
  int visit(int a);
  bool duplicate();
  void add_to_store();
  void report_found();

  PartialGraph work_graph;
  SearchKind kind_;
  SearchPoint from_;
  int split_rows_ = 0;  // while Split runs: the rows after which it cuts
  const std::function<void(const PartialGraph&, SearchPoint)>* take_split_ = nullptr;
  std::unique_ptr<LexLeastTest> least_;  // while Run runs, unless kStored
  int final_rows_ = 0;                   // rows kPruned tested before the candidate
  int g_;
  int codimension_;
  bool visited_[kMaxComponents] = {};
  std::map<GraphClass, ClassBucket> store_by_class_;
  CanonicalFormSet forms_;
  std::atomic<long>* found_so_far_ = nullptr;
  int found_unreported_ = 0;
  ClassBucket* candidate_bucket_ = nullptr;  // set by duplicate() for add_to_store()
  Graph scratch_{-1, -1, -1};                // a stored graph expanded for nauty
  CanonicalForm scratch_form_;
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
