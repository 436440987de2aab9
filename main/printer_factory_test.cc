// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "main/printer_factory.h"

#include <gtest/gtest.h>
#include <stdio.h>

// The resumable part of a format's printer is the printer itself exactly
// for the formats that number their graphs or keep them.
TEST(MakeFormatPrinter, ResumablePartIsThePrinterWhenItCarriesState) {
  FILE* out = tmpfile();
  ASSERT_NE(nullptr, out);
  for (Format format : {Format::kLaTeX, Format::kJson, Format::kDot, Format::kContractions, Format::kHasse}) {
    FormatPrinter made = MakeFormatPrinter(format, out, 1, 1, false);
    ASSERT_NE(nullptr, made.printer);
    ASSERT_NE(nullptr, made.resumable);
    EXPECT_EQ(dynamic_cast<ResumablePrinter*>(made.printer.get()), made.resumable) << static_cast<int>(format);
  }
  for (Format format : {Format::kText, Format::kBinary, Format::kSage, Format::kNone}) {
    FormatPrinter made = MakeFormatPrinter(format, out, 1, 1, false);
    ASSERT_NE(nullptr, made.printer);
    EXPECT_EQ(nullptr, dynamic_cast<ResumablePrinter*>(made.printer.get())) << static_cast<int>(format);
    EXPECT_EQ(&ResumablePrinter::Stateless(), made.resumable) << static_cast<int>(format);
  }
  fclose(out);
}
