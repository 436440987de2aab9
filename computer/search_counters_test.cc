// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "computer/search_counters.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <stdexcept>
#include <vector>

#include "computer/run_journal.h"
#include "computer/vertex_levels.h"
#include "testing/test_support.h"

namespace {

/// The tasks of pass K of type (g, n), run to the end.
std::vector<std::unique_ptr<EdgeTask>> run_tasks(int g, int n, int K, bool labelled) {
  SearchSettings settings;
  settings.count_labelled = labelled;
  VertexLevels levels(g, n, settings);
  std::vector<std::unique_ptr<EdgeTask>> tasks = levels.TasksOfPass(K);
  for (auto& task : tasks) task->Run();
  return tasks;
}

TEST(SearchCounters, TasksAddUpPerComponentCountAndCodimension) {
  SearchCounters counters(2, 0, true);
  int64_t tried = 0, found = 0, stored = 0;
  for (auto& task : run_tasks(2, 0, 2, true)) {
    counters.AddTask(2, *task);
    tried += task->tried;
    found += task->found;
    stored += static_cast<int64_t>(task->stored.size());
  }
  EXPECT_EQ((Counts{0, 0, tried}), counters.tried);
  EXPECT_EQ((Counts{0, 0, found}), counters.found);
  int64_t per_codimension = 0;
  for (int64_t count : counters.found_per_codimension) per_codimension += count;
  EXPECT_EQ(stored, per_codimension);
  EXPECT_GT(stored, 0);
  // Labelled counts are at least the graphs themselves.
  EXPECT_GE(counters.labelled_found[2], stored);
}

TEST(SearchCounters, RecordedCountersAreTakenUpAsTheyWere) {
  SearchCounters counters(3, 1, true);
  for (auto& task : run_tasks(3, 1, 3, true)) counters.AddTask(3, *task);
  counters.tried[1] = int64_t{1} << 40;
  RunState state;
  counters.RecordIn(state);

  SearchCounters taken(3, 1, true);
  taken.RestoreFrom(state);
  EXPECT_EQ(counters.tried, taken.tried);
  EXPECT_EQ(counters.found, taken.found);
  EXPECT_EQ(counters.found_per_codimension, taken.found_per_codimension);
  EXPECT_EQ(counters.labelled_found, taken.labelled_found);
  EXPECT_EQ(counters.labelled_per_codimension, taken.labelled_per_codimension);
  EXPECT_EQ(CaptureOutput([&](FILE* out) { counters.WriteFull(out); }),
            CaptureOutput([&](FILE* out) { taken.WriteFull(out); }));
}

TEST(SearchCounters, StatesOfAnotherTypeOrCountingAreRefused) {
  SearchCounters counters(3, 1, true);
  RunState state;
  counters.RecordIn(state);
  SearchCounters other_type(3, 2, true);
  EXPECT_THROW(other_type.RestoreFrom(state), std::invalid_argument);
  SearchCounters unlabelled(3, 1, false);
  EXPECT_THROW(unlabelled.RestoreFrom(state), std::invalid_argument);
}

// A counter near the top of its range, as a forged state may leave it,
// must end the run in an exception, not wrap around.
TEST(SearchCounters, SumsBeyondSixtyFourBitsThrow) {
  std::vector<std::unique_ptr<EdgeTask>> tasks = run_tasks(2, 0, 2, false);
  ASSERT_FALSE(tasks.empty());
  ASSERT_GT(tasks[0]->tried, 0);
  SearchCounters counters(2, 0, false);
  counters.tried[2] = std::numeric_limits<int64_t>::max();
  EXPECT_THROW(counters.AddTask(2, *tasks[0]), std::overflow_error);
}

}  // namespace
