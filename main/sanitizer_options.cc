// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
//
// Linked into the executables of the sanitizer build only.  By default the
// sanitizers end a process with status 1, the same status as a refused
// command line, so a test that expects 1 could pass over a finding; these
// statuses are used by nothing else.
extern "C" {

/// Status 86 for AddressSanitizer and LeakSanitizer findings.
const char* __asan_default_options() { return "exitcode=86:detect_leaks=1:strict_string_checks=1"; }

/// Status 87 for UndefinedBehaviorSanitizer findings, with the stack.
const char* __ubsan_default_options() { return "exitcode=87:print_stacktrace=1:halt_on_error=1"; }

}  // extern "C"
