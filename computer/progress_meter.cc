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
  char text[160];
  std::string remaining = Remaining(progress.share, seconds);
  snprintf(text, sizeof(text), "[%3d%% of the pass, %ld graphs, %.1f s%s%s]", static_cast<int>(100 * progress.share),
           progress.found, seconds, remaining.empty() ? "" : ", ", remaining.c_str());
  return text;
}

// The tasks of a pass differ in cost, so this is a rough guide; its use is
// to tell a run of minutes from one that cannot finish, and the units grow
// with the estimate so that both read at a glance.
std::string ProgressMeter::Remaining(double share, double seconds) {
  if (!(share > 0) || share >= 1 || !(seconds >= 0)) return "";
  double left = seconds * (1 - share) / share;
  struct Unit {
    double seconds;
    const char* name;
  };
  static const Unit kUnits[] = {{1, "s"}, {60, "min"}, {3600, "h"}, {86400, "days"}, {365.25 * 86400, "years"}};
  const Unit* unit = &kUnits[0];
  for (const Unit& larger : kUnits)
    if (left >= 2 * larger.seconds) unit = &larger;
  char text[64];
  double amount = left / unit->seconds;
  if (amount < 1e6) snprintf(text, sizeof(text), "about %.0f %s left", amount, unit->name);
  else snprintf(text, sizeof(text), "about %.1e %s left", amount, unit->name);
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
