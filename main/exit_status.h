// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_MAIN_EXIT_STATUS_H_
#define STABLE_GRAPHS_MAIN_EXIT_STATUS_H_

#include "euler/euler_check.h"

/// How both tools end; doc/command-line.md lists them for users.
enum ExitStatus {
  /// The run or conversion is complete and all of its output written.
  kExitSuccess = 0,
  /// A bad command line, a type refused, an input refused (a damaged
  /// stream or checkpoint): nothing or an incomplete output was written.
  kExitBadInput = 1,
  /// Standard output, standard error or the --output file could not be
  /// written.
  kExitOutputLost = 2,
  /// An internal error: a bound of the program was violated.
  kExitInternalError = 3,
  /// The graphs disagree with the Euler characteristic series (-E).
  kExitEulerDisagreement = kEulerDisagreementStatus,
};

#endif  // STABLE_GRAPHS_MAIN_EXIT_STATUS_H_
