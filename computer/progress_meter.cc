// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "computer/progress_meter.h"

#include <string>

namespace {

// The first update waits a little, so that short passes show nothing.
constexpr std::chrono::milliseconds kFirstUpdate(100);
constexpr std::chrono::milliseconds kUpdateInterval(250);

}  // namespace

ProgressMeter::ProgressMeter(FILE* out, bool enabled, std::function<Progress()> read)
    : out_(out), read_(std::move(read)), start_(std::chrono::steady_clock::now()) {
  if (enabled) thread_ = std::thread([this] { run(); });
}

ProgressMeter::~ProgressMeter() {
  if (!thread_.joinable()) return;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_all();
  thread_.join();
  erase();
  fflush(out_);
}

std::string ProgressMeter::Format(const Progress& progress, double seconds) {
  char text[96];
  snprintf(text, sizeof(text), "[%3d%% of the pass, %ld graphs, %.1f s]", static_cast<int>(100 * progress.share),
           progress.found, seconds);
  return text;
}

void ProgressMeter::run() {
  std::unique_lock<std::mutex> lock(mutex_);
  auto next = start_ + kFirstUpdate;
  while (!wake_.wait_until(lock, next, [this] { return stopping_; })) {
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    std::string text = Format(read_(), seconds);
    erase();
    fputs(text.c_str(), out_);
    fflush(out_);
    shown_ = text.size();
    next += kUpdateInterval;
  }
}

void ProgressMeter::erase() {
  if (shown_ == 0) return;
  std::string back(shown_, '\b');
  fputs((back + std::string(shown_, ' ') + back).c_str(), out_);
  shown_ = 0;
}
