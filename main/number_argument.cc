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
  if (digits == "0") return number;
  number.typed = (negative ? "-" : "") + digits;
  long long value = negative ? -magnitude : magnitude;
  number.value = value > INT_MAX ? INT_MAX : value < INT_MIN ? INT_MIN : static_cast<int>(value);
  return number;
}
