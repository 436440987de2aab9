// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "euler/euler_check.h"

#include <vector>

#include "euler/euler_series.h"
#include "graph/factorial.h"
#include "graph/graph_printer.h"

std::string FractionText(const mpq_class& value) {
  return value.get_num().get_str() + "/" + value.get_den().get_str();
}

namespace {

/// Writes one line of the check; returns whether the two agree.
bool write_line(FILE* out, const std::string& label, mpq_class found, mpq_class predicted) {
  // Fractions compare and print correctly only in lowest terms.
  found.canonicalize();
  predicted.canonicalize();
  bool agree = found == predicted;
  if (out == nullptr) return agree;
  fprintf(out, "%s: found %s, predicted %s, %s\n", label.c_str(), FractionText(found).c_str(),
          FractionText(predicted).c_str(), agree ? "agree" : "disagree");
  return agree;
}

}  // namespace

bool WriteEulerCheck(FILE* out, int g, int n, std::optional<int> edge_filter, const std::map<int, mpq_class>& found,
                     bool labelled, ModuliType moduli) {
  edge_filter = CheckedCodimension(edge_filter);
  std::vector<mpq_class> predicted = PredictedEulerSums(g, n, moduli);
  if (labelled && n > 1) {
    mpz_class factorial = Factorial(n);
    for (mpq_class& sum : predicted) sum *= factorial;
  }
  // Every codimension that either side has, so that a graph of a
  // codimension the type cannot have shows too.
  std::map<int, mpq_class> predicted_by_codimension, found_by_codimension;
  for (size_t e = 0; e < predicted.size(); ++e) predicted_by_codimension[static_cast<int>(e)] = predicted[e];
  for (const auto& entry : found) found_by_codimension[entry.first] = entry.second;
  std::map<int, bool> codimensions;
  for (const auto& entry : predicted_by_codimension) codimensions[entry.first] = true;
  for (const auto& entry : found_by_codimension) codimensions[entry.first] = true;
  std::string part = moduli == ModuliType::kStable ? "" : std::string(" -M ") + ModuliTypeName(moduli);
  if (out != nullptr)
    fprintf(out, "Euler characteristic check of (%d, %d)%s: sums of prod chi(M_{g_v,k_v}) / |Aut| over the %sgraphs found\n", g, n,
          part.c_str(), labelled ? "labelled " : "");
  mpq_class found_total = 0, predicted_total = 0;
  bool agree = true;
  for (const auto& entry : codimensions) {
    int e = entry.first;
    if (!InCodimension(e, edge_filter)) continue;
    const mpq_class& f = found_by_codimension[e];
    const mpq_class& p = predicted_by_codimension[e];
    agree = write_line(out, "codimension " + std::to_string(e), f, p) && agree;
    found_total += f;
    predicted_total += p;
  }
  agree = write_line(out, "total", found_total, predicted_total) && agree;
  return agree;
}
