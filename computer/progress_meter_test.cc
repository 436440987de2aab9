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

TEST(ProgressMeter, FormatsShareGraphsAndTime) {
  EXPECT_EQ("[ 37% of the pass, 1234 graphs, 2.5 s]", ProgressMeter::Format(Progress{0.375, 1234}, 2.5));
  EXPECT_EQ("[100% of the pass, 0 graphs, 0.0 s]", ProgressMeter::Format(Progress{1.0, 0}, 0.01));
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
