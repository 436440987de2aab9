// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_MAIN_NUMBER_ARGUMENT_H_
#define STABLE_GRAPHS_MAIN_NUMBER_ARGUMENT_H_

#include <string>

/// A number on the command line, as both tools read it.
struct NumberArgument {
  /// The number held in an int; one beyond the range of int stays at the
  /// nearest end of that range.
  int value = 0;
  /// The number as typed, in decimal without leading zeros or white space
  /// (beyond the range of int too), for messages.
  std::string typed = "0";
};

/// Reads text like C's atoi (leading white space, a sign, the decimal
/// digits up to the first other character, 0 without digits), except that
/// a number beyond the range of int is not wrapped around: atoi turned
/// 4294967298 into 2.
NumberArgument ReadNumber(const char* text);

#endif  // STABLE_GRAPHS_MAIN_NUMBER_ARGUMENT_H_
