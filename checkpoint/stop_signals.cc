// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "checkpoint/stop_signals.h"

#include <signal.h>
#include <string.h>

#include <atomic>
#include <initializer_list>

namespace {

// Lock-free, so the handler may set it and any thread read it.
std::atomic<int> caught_signal{0};
static_assert(std::atomic<int>::is_always_lock_free, "safe in a signal handler");

void note_signal(int signal_number) {
  int none = 0;
  caught_signal.compare_exchange_strong(none, signal_number);
}

}  // namespace

void CatchStopSignals() {
  struct sigaction action;
  memset(&action, 0, sizeof(action));
  action.sa_handler = note_signal;
  sigemptyset(&action.sa_mask);
  // The handler runs once; the next signal of the kind takes its default
  // action, so that a second Ctrl-C still ends a run that is slow to stop.
  action.sa_flags = SA_RESETHAND | SA_RESTART;
  for (int signal_number : {SIGINT, SIGTERM}) {
    struct sigaction before;
    // A signal ignored by whoever started the run stays ignored.
    if (sigaction(signal_number, nullptr, &before) == 0 && before.sa_handler == SIG_IGN) continue;
    sigaction(signal_number, &action, nullptr);
  }
}

int CaughtStopSignal() { return caught_signal.load(); }

void EndByCaughtSignal() {
  int signal_number = caught_signal.load();
  if (signal_number == 0) return;
  signal(signal_number, SIG_DFL);
  sigset_t only;
  sigemptyset(&only);
  sigaddset(&only, signal_number);
  sigprocmask(SIG_UNBLOCK, &only, nullptr);
  raise(signal_number);
}
