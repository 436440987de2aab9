// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "distributed/task_codec.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "computer/boundary_computer.h"
#include "testing/test_support.h"
#include "stream/binary_graph_printer.h"

namespace {

/// Runs every task as another process would: its start through the codec
/// into a fresh task, that task's result back through the codec into the
/// original, which is never run itself.
class CodecTaskRunner : public TaskRunner {
 public:
  void RunPass(std::vector<std::unique_ptr<EdgeTask>>& tasks, size_t first,
               const std::function<void(size_t)>& done) override {
    for (size_t index = first; index < tasks.size(); ++index) {
      const EdgeTask& task = *tasks[index];
      std::vector<uint8_t> start =
          EncodeTaskStart(task.start(), task.moduli_type(), task.search_kind(), task.from(), task.bounds());
      ModuliType moduli;
      SearchKind kind;
      SearchPoint from;
      GraphBounds bounds;
      PartialGraph decoded = DecodeTaskStart(start.data(), start.size(), moduli, kind, from, bounds);
      EXPECT_EQ(task.search_kind(), kind);
      EXPECT_EQ(task.moduli_type(), moduli);
      EXPECT_TRUE(task.from() == from);
      EXPECT_TRUE(task.bounds() == bounds);
      if (!(from == SearchPoint())) ++split_tasks_run;
      EdgeTask remote(decoded, drop_moduli ? ModuliType::kStable : moduli, kind, from,
                      drop_bounds ? GraphBounds() : bounds);
      if (tasks[index]->labelled) remote.labelled = std::make_unique<LabelledTally>();
      EXPECT_EQ(tasks[index]->codimension(), remote.codimension());
      remote.Run();
      std::vector<uint8_t> result = EncodeTaskResult(remote);
      DecodeTaskResult(result.data(), result.size(), *tasks[index]);
      ++tasks_run;
      done(index);
    }
  }
  size_t tasks_run = 0;
  /// Tasks run that a split made, taking up the search after its start.
  size_t split_tasks_run = 0;
  /// Runs the remote tasks as tasks of st, as a worker that lost the type.
  bool drop_moduli = false;
  /// Runs the remote tasks without bounds, as a worker that lost them.
  bool drop_bounds = false;
};

/// The byte stream and full report of a run through `runner` (nullptr:
/// threads), with the labelled counts when `labelled`, of the moduli type.
std::string run(int g, int n, std::optional<int> edges, TaskRunner* runner, bool labelled = false,
                ModuliType moduli = ModuliType::kStable, SearchKind search = SearchKind::kStored,
                const GraphBounds& bounds = GraphBounds()) {
  SearchSettings settings;
  settings.bounds = bounds;
  settings.search = search;
  settings.count_labelled = labelled;
  settings.moduli_type = moduli;
  settings.runner = runner;
  settings.codimension = edges;
  BoundaryComputer computer(g, n, settings);
  std::string bytes = CaptureOutput([&](FILE* out) {
    BinaryGraphPrinter printer(out, g, n);
    computer.Compute(printer, StatisticsNone);
  });
  return bytes + CaptureOutput([&](FILE* out) { computer.Statistics(out); });
}

TEST(TaskCodecTest, TasksRunElsewhereGiveTheSameRun) {
  struct Case {
    int g, n;
    std::optional<int> edges;
  };
  const std::nullopt_t all = std::nullopt;
  for (const Case& c : {Case{3, 0, all}, Case{2, 3, all}, Case{0, 8, all}, Case{4, 1, 5}, Case{1, 5, 2}, Case{5, 0, 6}}) {
    for (SearchKind search : {SearchKind::kStored, SearchKind::kOrderly, SearchKind::kPruned}) {
      SCOPED_TRACE(static_cast<int>(search));
      CodecTaskRunner codec;
      EXPECT_EQ(run(c.g, c.n, c.edges, nullptr, false, ModuliType::kStable, search),
                run(c.g, c.n, c.edges, &codec, false, ModuliType::kStable, search))
          << "(" << c.g << ", " << c.n << ") -C " << c.edges.value_or(-1);
      EXPECT_GT(codec.tasks_run, 0u);
      if (search != SearchKind::kStored && c.g + c.n > 4) {
        EXPECT_GT(codec.split_tasks_run, 0u);
      }
      CodecTaskRunner labelled;
      std::string want = run(c.g, c.n, c.edges, nullptr, true, ModuliType::kStable, search);
      EXPECT_NE(std::string::npos, want.find("Labelled"));
      EXPECT_EQ(want, run(c.g, c.n, c.edges, &labelled, true, ModuliType::kStable, search)) << "labelled";
    }
  }
}

// The restricted runs' statistics count what their edge tasks try, which
// the remote task gives back only when it runs restricted as well.
TEST(TaskCodecTest, TasksOfARestrictedRunStayRestricted) {
  struct Case {
    ModuliType moduli;
    int g, n;
  };
  // Types where the tree types' edge level has cycles to leave out.
  for (const Case& c : {Case{ModuliType::kCompactType, 3, 4}, Case{ModuliType::kRationalTails, 1, 6},
                        Case{ModuliType::kTreeLike, 3, 4}}) {
    for (int labelled = 0; labelled < 2; ++labelled) {
      CodecTaskRunner codec;
      std::string want = run(c.g, c.n, std::nullopt, nullptr, labelled, c.moduli);
      EXPECT_EQ(want, run(c.g, c.n, std::nullopt, &codec, labelled, c.moduli)) << ModuliTypeName(c.moduli);
      EXPECT_GT(codec.tasks_run, 0u);
      CodecTaskRunner split;
      EXPECT_EQ(run(c.g, c.n, std::nullopt, nullptr, labelled, c.moduli, SearchKind::kPruned),
                run(c.g, c.n, std::nullopt, &split, labelled, c.moduli, SearchKind::kPruned))
          << ModuliTypeName(c.moduli);
      EXPECT_GT(split.split_tasks_run, 0u);
      CodecTaskRunner careless;
      careless.drop_moduli = true;
      EXPECT_NE(want, run(c.g, c.n, std::nullopt, &careless, labelled, c.moduli)) << ModuliTypeName(c.moduli);
    }
  }
}

// The homology's searches make only graphs within bounds; a worker must
// keep them, or its tasks give back graphs the run never asked for.
TEST(TaskCodecTest, TasksOfABoundedRunStayBounded) {
  GraphBounds simple;
  simple.max_multiplicity = 1;
  simple.max_loops = 1;
  GraphBounds rational = simple;
  rational.max_loops = 0;
  rational.rational_vertices = true;
  for (const GraphBounds& bounds : {simple, rational}) {
    for (SearchKind search : {SearchKind::kStored, SearchKind::kPruned}) {
      std::string want = run(4, 2, std::nullopt, nullptr, true, ModuliType::kStable, search, bounds);
      CodecTaskRunner codec;
      EXPECT_EQ(want, run(4, 2, std::nullopt, &codec, true, ModuliType::kStable, search, bounds));
      EXPECT_GT(codec.tasks_run, 0u);
      CodecTaskRunner careless;
      careless.drop_bounds = true;
      EXPECT_NE(want, run(4, 2, std::nullopt, &careless, true, ModuliType::kStable, search, bounds));
    }
  }
}

TEST(TaskCodecTest, RefusesBytesOfNoTask) {
  PartialGraph start(3, 1, 2);
  start.Clear(2);
  ModuliType moduli;
  SearchKind kind;
  SearchPoint from;
  GraphBounds bounds;
  GraphBounds simple;
  simple.max_multiplicity = 1;
  std::vector<uint8_t> good = EncodeTaskStart(start, ModuliType::kTreeLike, SearchKind::kPruned, SearchPoint(), simple);
  EXPECT_NO_THROW(DecodeTaskStart(good.data(), good.size(), moduli, kind, from, bounds));
  EXPECT_TRUE(bounds == simple);
  EXPECT_EQ(ModuliType::kTreeLike, moduli);
  EXPECT_EQ(SearchKind::kPruned, kind);
  EXPECT_TRUE(from == SearchPoint());
  for (size_t cut = 0; cut < good.size(); ++cut)
    EXPECT_THROW(DecodeTaskStart(good.data(), cut, moduli, kind, from, bounds), TaskCodecError) << cut;
  auto refused = [&](std::vector<uint8_t> bytes) {
    try {
      DecodeTaskStart(bytes.data(), bytes.size(), moduli, kind, from, bounds);
    } catch (const TaskCodecError&) {
      return true;
    }
    return false;
  };
  std::vector<uint8_t> longer = good;
  longer.push_back(0);
  EXPECT_TRUE(refused(longer));
  std::vector<uint8_t> no_components = good;
  no_components[8] = 0;  // K
  EXPECT_TRUE(refused(no_components));
  std::vector<uint8_t> huge_genus = good;
  huge_genus[0] = 99;
  EXPECT_TRUE(refused(huge_genus));
  // The last bytes: moduli type, search, bounds (multiplicity, loops,
  // rational vertices), search point (i, j).
  const size_t moduli_at = good.size() - 7, search_at = good.size() - 6, i_at = good.size() - 2;
  const size_t multiplicity_at = good.size() - 5, rational_at = good.size() - 3;
  std::vector<uint8_t> huge_bound = good;
  huge_bound[multiplicity_at] = 5;  // more than g + 1 edges on a pair
  EXPECT_TRUE(refused(huge_bound));
  std::vector<uint8_t> odd_flag = good;
  odd_flag[rational_at] = 2;
  EXPECT_TRUE(refused(odd_flag));
  std::vector<uint8_t> unknown_moduli = good;
  unknown_moduli[moduli_at] = static_cast<uint8_t>(kLastModuliType) + 1;
  EXPECT_TRUE(refused(unknown_moduli));
  std::vector<uint8_t> unknown_search = good;
  unknown_search[search_at] = static_cast<uint8_t>(SearchKind::kPruned) + 1;
  EXPECT_TRUE(refused(unknown_search));
  std::vector<uint8_t> point_outside = good;
  point_outside[i_at] = 2;  // i = K
  EXPECT_TRUE(refused(point_outside));
  std::vector<uint8_t> point_backwards = good;
  point_backwards[i_at + 1] = 0;  // j <= i
  EXPECT_TRUE(refused(point_backwards));
  // A split point carries the pairs before it; the stored search is never split.
  std::vector<uint8_t> split =
      EncodeTaskStart(start, ModuliType::kStable, SearchKind::kPruned, SearchPoint{0, 2}, simple);
  ASSERT_EQ(good.size() + 1, split.size());
  EXPECT_FALSE(refused(split));
  EXPECT_TRUE(from == (SearchPoint{0, 2}));
  std::vector<uint8_t> stored_split = split;
  stored_split[search_at] = static_cast<uint8_t>(SearchKind::kStored);
  EXPECT_TRUE(refused(stored_split));
  std::vector<uint8_t> negative_edge = split;
  negative_edge[good.size()] = 0xff;  // the one pair before (0, 2)
  EXPECT_TRUE(refused(negative_edge));
}

TEST(TaskCodecTest, RefusesAResultThatDoesNotFitTheTask) {
  PartialGraph start(2, 0, 2);
  start.Clear(2);
  start.partial_genus = -1;
  EdgeTask task(start), other(start);
  task.Run();
  std::vector<uint8_t> result = EncodeTaskResult(task);
  ASSERT_GT(task.found, 0);
  for (size_t cut : {size_t{0}, size_t{39}, result.size() - 1})
    EXPECT_THROW(DecodeTaskResult(result.data(), cut, other), TaskCodecError) << cut;
  result.push_back(7);
  EXPECT_THROW(DecodeTaskResult(result.data(), result.size(), other), TaskCodecError);
  result.pop_back();
  DecodeTaskResult(result.data(), result.size(), other);
  EXPECT_EQ(task.found, other.found);
  EXPECT_EQ(task.tried, other.tried);
  EXPECT_EQ(task.stored.bytes(), other.stored.bytes());
}

}  // namespace
