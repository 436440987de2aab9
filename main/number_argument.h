// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_MAIN_NUMBER_ARGUMENT_H_
#define STABLE_GRAPHS_MAIN_NUMBER_ARGUMENT_H_

#include <string>

/// A number on the command line, as both tools read it.
struct NumberArgument {
  /// Whether the text is a decimal integer: an optional sign, then one or
  /// more digits, and nothing else.
  bool valid = false;
  /// Whether that integer lies within the range of int; one beyond it is
  /// refused, never wrapped around or clamped.
  bool fits_int = false;
  /// The number, when it fits an int.
  int value = 0;
  /// The number as typed, in decimal without leading zeros (beyond the
  /// range of int too), for messages.
  std::string typed = "0";
};

/// Reads a decimal integer.  Anything else ("2,1", "two", " 3", "") is not
/// a number: C's atoi would have read those as 2, 0 and 3 and run a type
/// nobody asked for.
NumberArgument ReadNumber(const char* text);

/// The line refusing `number`, which does not fit an int, as `what` (e.g.
/// "the genus"); it names the number as typed and the largest accepted.
std::string OutOfRangeReason(const std::string& what, const NumberArgument& number);

#endif  // STABLE_GRAPHS_MAIN_NUMBER_ARGUMENT_H_
