// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "main/number_argument.h"

#include <ctype.h>
#include <limits.h>

#include <string>

NumberArgument ReadNumber(const char* text) {
  while (isspace(static_cast<unsigned char>(*text))) ++text;
  bool negative = *text == '-';
  if (*text == '+' || *text == '-') ++text;
  while (*text == '0' && isdigit(static_cast<unsigned char>(text[1]))) ++text;
  std::string digits;
  long long magnitude = 0;  // stops growing once it is beyond every int
  for (; isdigit(static_cast<unsigned char>(*text)); ++text) {
    digits += *text;
    if (magnitude <= INT_MAX) magnitude = magnitude * 10 + (*text - '0');
  }
  NumberArgument number;
  if (digits.empty() || digits == "0") return number;
  number.typed = (negative ? "-" : "") + digits;
  long long value = negative ? -magnitude : magnitude;
  number.value = value > INT_MAX ? INT_MAX : value < INT_MIN ? INT_MIN : static_cast<int>(value);
  return number;
}
