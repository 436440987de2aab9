// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "graph/resumable_printer.h"

#include "graph/graph_printer.h"

namespace {

/// A printer's part that carries nothing between graphs.
class StatelessPart : public ResumablePrinter {
 public:
  std::string State() const override { return ""; }
  bool RestoreState(const std::string& state) override { return state.empty(); }
  std::string RestoredStateProblem(const PrintedSoFar&) const override { return ""; }
};

}  // namespace

ResumablePrinter& ResumablePrinter::Stateless() {
  static StatelessPart stateless;
  return stateless;
}

ResumablePrinter& ResumablePartOf(GraphPrinter& printer) {
  auto* resumable = dynamic_cast<ResumablePrinter*>(&printer);
  return resumable != nullptr ? *resumable : ResumablePrinter::Stateless();
}

std::string SectionProblem(const PrintedSoFar& printed, std::optional<int> only, int codimension, int number,
                           int initial, const char* what) {
  const std::vector<mpz_class>& counts = printed.per_codimension;
  mpz_class total = 0;
  for (size_t c = 0; c < counts.size(); ++c)
    if (InCodimension(static_cast<int>(c), only)) total += counts[c];
  if (total == 0) {
    if (codimension == initial && number == 0) return "";
    return std::string(what) + " is under way, but no graph was printed";
  }
  std::string section = "codimension " + std::to_string(codimension);
  if (codimension < 0 || static_cast<size_t>(codimension) >= counts.size() ||
      !InCodimension(codimension, only) || counts[static_cast<size_t>(codimension)] == 0)
    return std::string(what) + " is at " + section + ", of which no graph was printed";
  if (number < 1 || number > counts[static_cast<size_t>(codimension)])
    return std::string(what) + " is at graph " + std::to_string(number) + " of " + section + ", of which " +
           counts[static_cast<size_t>(codimension)].get_str() + " were printed";
  return "";
}
