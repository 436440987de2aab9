// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "computer/progress_meter.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <atomic>
#include <string>
#include <thread>

namespace {

/// What a terminal would show of `written` on one line: backspaces move
/// left, other characters overwrite.
std::string visible(const std::string& written) {
  std::string line;
  size_t column = 0;
  for (char c : written) {
    if (c == '\b') {
      if (column > 0) --column;
      continue;
    }
    if (column < line.size())
      line[column] = c;
    else
      line.push_back(c);
    ++column;
  }
  return line;
}

std::string run_meter(bool enabled, int milliseconds) {
  char* buffer = nullptr;
  size_t size = 0;
  FILE* out = open_memstream(&buffer, &size);
  std::atomic<long> found{0};
  {
    ProgressMeter meter(out, enabled, [&] { return Progress{0.5, found.load()}; });
    for (int k = 0; k < milliseconds; ++k) {
      ++found;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  }
  fclose(out);
  std::string text(buffer, size);
  free(buffer);
  return text;
}

}  // namespace

TEST(ProgressMeter, FormatsShareGraphsTimeAndEstimate) {
  EXPECT_EQ("[ 37% of the pass, 1234 graphs, 2.5 s, about 4 s left]",
            ProgressMeter::Format(Progress{0.375, 1234}, 2.5));
  EXPECT_EQ("[  0% of the pass, 0 graphs, 9.0 s]", ProgressMeter::Format(Progress{0.0, 0}, 9.0))
      << "no estimate before anything is done";
  EXPECT_EQ("[100% of the pass, 0 graphs, 0.0 s]", ProgressMeter::Format(Progress{1.0, 0}, 0.01));
}

TEST(ProgressMeter, EstimateGrowsItsUnits) {
  EXPECT_EQ("about 30 s left", ProgressMeter::Remaining(0.25, 10));
  EXPECT_EQ("about 119 s left", ProgressMeter::Remaining(0.5, 119));
  EXPECT_EQ("about 2 min left", ProgressMeter::Remaining(0.5, 120));
  EXPECT_EQ("about 90 min left", ProgressMeter::Remaining(0.5, 5400));
  EXPECT_EQ("about 10 h left", ProgressMeter::Remaining(0.1, 4000));
  EXPECT_EQ("about 99 days left", ProgressMeter::Remaining(0.01, 86400));
  EXPECT_EQ("about 27 years left", ProgressMeter::Remaining(0.001, 864000));
  // A pass that has done one task in a billion after ten minutes.
  EXPECT_EQ("about 19013 years left", ProgressMeter::Remaining(1e-9, 600));
  EXPECT_EQ("about 1.9e+10 years left", ProgressMeter::Remaining(1e-15, 600));
  for (double share : {0.0, 1.0, -0.5, 1.5}) EXPECT_EQ("", ProgressMeter::Remaining(share, 10)) << share;
}

TEST(ProgressMeter, ShowsUpdatesAndErasesThem) {
  std::string written = run_meter(true, 700);
  EXPECT_NE(std::string::npos, written.find("% of the pass")) << "at least one update";
  EXPECT_NE(written.find("[ 50%"), written.rfind("[ 50%")) << "several updates";
  std::string shown = visible(written);
  EXPECT_EQ(std::string(shown.size(), ' '), shown) << "nothing left on the line";
}

TEST(ProgressMeter, DisabledOrShortWritesNothing) {
  EXPECT_EQ("", run_meter(false, 300));
  EXPECT_EQ("", run_meter(true, 10)) << "passes shorter than the first update stay quiet";
}
