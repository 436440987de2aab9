// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "printers/checked_printer.h"

#include <errno.h>
#include <string.h>

#include "printers/output_error.h"

CheckedPrinter::CheckedPrinter(GraphPrinter& printer) : CheckedPrinter(printer, ResumablePartOf(printer)) {}

CheckedPrinter::CheckedPrinter(GraphPrinter& printer, ResumablePrinter& resumable)
    : printer_(printer), resumable_(resumable) {}

void CheckedPrinter::Watch(FILE* file, const std::string& name) { watched_.emplace_back(file, name); }

void CheckedPrinter::Check() const {
  for (const auto& [file, name] : watched_) {
    // The error indicator stays set after a failed write, so a failure in
    // the middle of a pass is seen here even when this flush has nothing
    // left to write; errno is only meaningful when this flush failed.
    errno = 0;
    bool flushed = fflush(file) == 0;
    if (flushed && !ferror(file)) continue;
    int reason = errno;
    throw OutputError("error writing " + name + ": " +
                      (!flushed && reason != 0 ? strerror(reason) : "an earlier write failed"));
  }
}

void CheckedPrinter::BeginPrint() {
  printer_.BeginPrint();
  Check();
}

void CheckedPrinter::PrintSomeGraph(const GraphsByCodimension& graphs) {
  for (const auto& entry : graphs) graphs_ += entry.second.size();
  printer_.PrintSomeGraph(graphs);
  Check();
}

void CheckedPrinter::EndPrint() {
  printer_.EndPrint();
  Check();
}
