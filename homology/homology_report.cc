// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "homology/homology_report.h"

#include <algorithm>

namespace {

/// The columns of the table: their headings and the widest entry of each.
const char* const kHeadings[] = {"k", "dim C_k", "rank d_k", "dim H_k"};

std::string row_text(const HomologyDegree& degree, int column) {
  switch (column) {
    case 0: return std::to_string(degree.degree);
    case 1: return std::to_string(degree.cells);
    case 2: return std::to_string(degree.boundary.rank);
    default: return std::to_string(degree.betti);
  }
}

/// The table of the degrees from `first` to `last` (indices), the others
/// having no cell.
void write_table(FILE* out, const std::vector<HomologyDegree>& all, size_t first, size_t last) {
  std::vector<HomologyDegree> degrees(all.begin() + static_cast<long>(first), all.begin() + static_cast<long>(last) + 1);
  size_t width[4];
  for (int c = 0; c < 4; ++c) {
    width[c] = std::string(kHeadings[c]).size();
    for (const HomologyDegree& degree : degrees) width[c] = std::max(width[c], row_text(degree, c).size());
  }
  for (int c = 0; c < 4; ++c) fprintf(out, "%s%*s", c == 0 ? "" : "  ", static_cast<int>(width[c]), kHeadings[c]);
  fputc('\n', out);
  for (const HomologyDegree& degree : degrees) {
    for (int c = 0; c < 4; ++c)
      fprintf(out, "%s%*s", c == 0 ? "" : "  ", static_cast<int>(width[c]), row_text(degree, c).c_str());
    fputc('\n', out);
  }
}

/// "modulo 4294967291 and 4294967279, equal in every degree", or the
/// degrees where they differ and what the third prime said.
void write_primes(FILE* out, const std::vector<HomologyDegree>& degrees) {
  std::string differ;
  for (const HomologyDegree& degree : degrees) {
    if (degree.boundary.agree()) continue;
    differ += "; d_" + std::to_string(degree.degree) + ":";
    for (const auto& [prime, rank] : degree.boundary.modulo)
      differ += " " + std::to_string(rank) + " modulo " + std::to_string(prime);
  }
  fprintf(out, "ranks of d_k modulo the primes %u and %u, ", kRankPrimes[0], kRankPrimes[1]);
  if (differ.empty())
    fputs("equal in every degree\n", out);
  else
    fprintf(out, "which differ%s; the largest rank is taken, so dim H_k is an upper bound there\n", differ.c_str());
}

}  // namespace

std::string ComplexName(const CellComplexSettings& settings) {
  std::string name = "Delta_{" + std::to_string(settings.g) + "," + std::to_string(settings.n) + "}";
  return settings.labelled ? name : name + "/S_" + std::to_string(settings.n);
}

mpz_class ChainEulerCharacteristic(const std::vector<HomologyDegree>& degrees) {
  mpz_class sum = 0;
  for (const HomologyDegree& degree : degrees) {
    mpz_class cells = static_cast<unsigned long>(degree.cells);
    if (degree.degree % 2 == 0)
      sum += cells;
    else
      sum -= cells;
  }
  return sum;
}

bool WriteHomology(FILE* out, const CellComplexSettings& settings, const std::vector<HomologyDegree>& degrees,
                   const std::optional<mpz_class>& reduced_euler) {
  const std::string name = ComplexName(settings);
  fprintf(out, "reduced rational homology of %s, ", name.c_str());
  switch (settings.relative_to) {
    case Subcomplex::kNone: fputs("from every cell:\n", out); break;
    case Subcomplex::kLoopsOrGenus:
      fputs("relative to the contractible subcomplex of the graphs with a loop or a vertex of positive genus:\n", out);
      break;
    case Subcomplex::kLoopsGenusOrSharedPoints:
      fputs("relative to the contractible subcomplex of the graphs with a loop, a vertex of positive genus or two "
            "marked points on a vertex:\n",
            out);
      break;
  }
  // The degrees without a cell before the first and after the last with
  // one add nothing but length: (9, 0) has none below degree 17.
  size_t first = 0, last = degrees.size();
  while (first < degrees.size() && degrees[first].cells == 0) ++first;
  while (last > first && degrees[last - 1].cells == 0) --last;
  if (first == last) {
    fprintf(out, "no cell in any degree from %d to %d: the homology vanishes\n", degrees.front().degree,
            degrees.back().degree);
  } else {
    write_table(out, degrees, first, last - 1);
    if (first > 0 || last < degrees.size())
      fprintf(out, "no cell in any other degree from %d to %d\n", degrees.front().degree, degrees.back().degree);
  }
  write_primes(out, degrees);
  mpz_class chains = ChainEulerCharacteristic(degrees);
  if (!reduced_euler) {
    fprintf(out, "Euler characteristic: %s from the chains, not checked: the graphs were not all searched\n",
            chains.get_str().c_str());
    return true;
  }
  bool agree = chains == *reduced_euler;
  fprintf(out, "Euler characteristic: %s from the chains, %s from the graphs: %s\n", chains.get_str().c_str(),
          reduced_euler->get_str().c_str(), agree ? "agree" : "DISAGREE");
  return agree;
}
