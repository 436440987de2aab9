// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
//
// Linked into stable-graphs-mpi of the sanitizer build only.  Open MPI
// keeps allocations to its end and unloads the plugins that made them, so
// LeakSanitizer reports them from modules it can no longer name; the leak
// check of the code shared with stable-graphs runs there.  AddressSanitizer
// and UndefinedBehaviorSanitizer still check this program.
extern "C" {

/// Turns LeakSanitizer off for this program.
int __lsan_is_turned_off() { return 1; }

}  // extern "C"
