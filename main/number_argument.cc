// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "main/number_argument.h"

#include <limits.h>

#include <string>

namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

NumberArgument ReadNumber(const char* text) {
  NumberArgument number;
  bool negative = *text == '-';
  if (*text == '+' || *text == '-') ++text;
  if (!is_digit(*text)) return number;
  while (*text == '0' && is_digit(text[1])) ++text;
  std::string digits;
  long long magnitude = 0;  // stops growing once it is beyond every int
  for (; is_digit(*text); ++text) {
    digits += *text;
    if (magnitude <= INT_MAX) magnitude = magnitude * 10 + (*text - '0');
  }
  if (*text != '\0') return number;
  number.valid = true;
  number.fits_int = true;
  if (digits == "0") return number;
  number.typed = (negative ? "-" : "") + digits;
  long long value = negative ? -magnitude : magnitude;
  number.fits_int = value >= INT_MIN && value <= INT_MAX;
  if (number.fits_int) number.value = static_cast<int>(value);
  return number;
}

std::string OutOfRangeReason(const std::string& what, const NumberArgument& number) {
  bool negative = number.typed[0] == '-';
  return what + " " + number.typed + " is beyond the range the tools read (" +
         (negative ? std::to_string(INT_MIN) + " or more" : "at most " + std::to_string(INT_MAX)) + ")";
}
