// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_COMPUTER_SEARCH_SETTINGS_H_
#define STABLE_GRAPHS_COMPUTER_SEARCH_SETTINGS_H_

#include <stddef.h>

#include <optional>

#include "computer/search_kind.h"
#include "moduli/graph_bounds.h"
#include "moduli/moduli_type.h"

class RunJournal;
struct RunState;
class TaskRunner;

/// How an enumeration searches and where its tasks run: given once, when
/// the enumerator is made, and the same for every pass.
struct SearchSettings {
  /// How the edge tasks recognise repeated graphs; every kind finds the
  /// same graphs in the same order.
  SearchKind search = SearchKind::kStored;
  /// Rows of edge multiplicities after which a task of kOrderly or kPruned
  /// with more rows is split into the tasks that take up its search there
  /// (0: tasks stay whole); the same for every run a checkpoint resumes.
  int split_rows = 1;
  /// Tasks run in one call of the runner, at most: a pass's split tasks
  /// exist a window at a time.
  size_t task_window = 4096;
  /// Threads that run the edge tasks; not given: the CPUs this process may
  /// use.
  std::optional<int> threads;
  /// Where the edge tasks run: nullptr for this process's threads.
  TaskRunner* runner = nullptr;
  /// The part of the moduli space whose strata are enumerated; the search
  /// itself is restricted to them.
  ModuliType moduli_type = ModuliType::kStable;
  /// Bounds every graph of the search keeps besides its moduli type (the
  /// homology asks for graphs without parallel edges, say).
  GraphBounds bounds;
  /// Whether to count the labelled graphs (points labelled 1 .. n) over the
  /// graphs found, and report them.
  bool count_labelled = false;
  /// Largest number of graphs handed to the printer in one PrintSomeGraph
  /// call; a pass with more graphs is handed over in consecutive calls.
  size_t print_batch = 4096;
  /// The one codimension (number of edges) whose graphs the search makes;
  /// not given: every codimension.  Tasks and passes that cannot reach it
  /// are never made, so the printers get those graphs only.
  std::optional<int> codimension;
  /// Where resumable states are recorded (nullptr: nowhere).
  RunJournal* journal = nullptr;
  /// A recorded state to take up instead of starting afresh (nullptr, or
  /// pass 0: start afresh); it must come from a run of the same type,
  /// settings and printer.
  const RunState* resume = nullptr;
};

#endif  // STABLE_GRAPHS_COMPUTER_SEARCH_SETTINGS_H_
