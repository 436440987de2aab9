// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
//
// stable-graphs-homology-bench: the homology of the boundary complex of one
// type, with the time and memory of each step, for bench/RESULTS.md.
//
//   stable-graphs-homology-bench [-L] [-F|-G] [-A|-R] [-c] [-t THREADS] G N
//
// -L: Delta_{g,n} (labelled points) besides Delta_{g,n}/S_n; -F: every
// cell, -G: the chains relative to the graphs with a loop or a vertex of
// positive genus only, instead of those with two points on a vertex too
// (as --homology); -A: search every stable graph, -R only the graphs with
// rational vertices and no loop (the Euler characteristic is then not
// checked), instead of those without parallel edges; -c: only count the
// cells of each degree, no boundary or rank; -t: threads (default: every
// CPU).
// Writes the tables and, per degree, the seconds the boundary and its
// ranks took, on standard output; the peak memory at the end.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <optional>
#include <string>

#include "computer/boundary_computer.h"
#include "computer/parallel_runner.h"
#include "homology/boundary_homology.h"
#include "homology/homology_printer.h"
#include "homology/homology_report.h"
#include "printers/null_graph_printer.h"

namespace {

double seconds_since(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

long peak_mib() {
  rusage usage;
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024;
}

/// Prints each boundary's size and the time since the last one.
class Timing : public BoundarySink {
 public:
  void Boundary(int degree, const SparseMatrix& matrix) override {
    printf("  d_%d: %zu x %zu, %zu entries, built in %.2f s\n", degree, matrix.rows, matrix.columns,
           matrix.entries.size(), seconds_since(last_));
    fflush(stdout);
    last_ = std::chrono::steady_clock::now();
  }
  void Restart() { last_ = std::chrono::steady_clock::now(); }

 private:
  std::chrono::steady_clock::time_point last_ = std::chrono::steady_clock::now();
};

/// The number of cells of each degree that has one.
void cells(const CellComplex& complex) {
  printf("cells of %s:", ComplexName(complex.settings()).c_str());
  for (int k = complex.LowestDegree(); k <= complex.HighestDegree(); ++k)
    if (complex.Dimension(k) > 0) printf(" %d:%zu", k, complex.Dimension(k));
  printf("\n");
}

void homology(const CellComplex& complex, const std::optional<mpz_class>& euler) {
  auto start = std::chrono::steady_clock::now();
  Timing timing;
  std::vector<HomologyDegree> degrees = ComputeHomology(complex, &timing);
  WriteHomology(stdout, complex.settings(), degrees, euler);
  printf("homology of %s: %.2f s, peak memory %ld MiB\n", ComplexName(complex.settings()).c_str(),
         seconds_since(start), peak_mib());
}

}  // namespace

int main(int argc, char** argv) {
  bool labelled = false, full = false, all = false, relative_only = false, genus_only = false, count = false;
  int threads = UsableCpuCount();
  int option;
  while ((option = getopt(argc, argv, "LFGARct:")) != -1) {
    if (option == 'L') labelled = true;
    else if (option == 'A') all = true;
    else if (option == 'G') genus_only = true;
    else if (option == 'c') count = true;
    else if (option == 'R') relative_only = true;
    else if (option == 'F') full = true;
    else if (option == 't') threads = atoi(optarg);
    else return 1;
  }
  if (argc - optind != 2) {
    fprintf(stderr, "usage: %s [-L] [-F|-G] [-A|-R] [-c] [-t THREADS] G N\n", argv[0]);
    return 1;
  }
  int g = atoi(argv[optind]), n = atoi(argv[optind + 1]);
  NullGraphPrinter null;
  HomologyPrinterSettings settings;
  settings.g = g;
  settings.n = n;
  settings.labelled_complex = labelled;
  settings.relative_to = full || g == 0 ? Subcomplex::kNone
                         : genus_only     ? Subcomplex::kLoopsOrGenus
                                          : Subcomplex::kLoopsGenusOrSharedPoints;
  settings.threads = threads;
  HomologyPrinter printer(null, settings);
  auto start = std::chrono::steady_clock::now();
  SearchSettings search;
  search.threads = threads;
  search.search = SearchKind::kPruned;
  if (!all) {
    search.bounds.max_multiplicity = 1;
    search.bounds.max_loops = relative_only ? 0 : 1;
    search.bounds.rational_vertices = relative_only;
  }
  BoundaryComputer computer(g, n, search);
  computer.Compute(printer, StatisticsNone);
  printf("(%d, %d): graphs enumerated and cells collected in %.2f s, peak memory %ld MiB\n", g, n,
         seconds_since(start), peak_mib());
  fflush(stdout);
  // A search of the relative chains alone meets too few graphs for their
  // Euler characteristic.
  auto euler = [&](const mpz_class& sum) { return relative_only ? std::optional<mpz_class>() : sum; };
  if (count) {
    cells(printer.Quotient());
    if (printer.Labelled() != nullptr) cells(*printer.Labelled());
    return 0;
  }
  homology(printer.Quotient(), euler(printer.Sums().Quotient()));
  if (printer.Labelled() != nullptr) homology(*printer.Labelled(), euler(printer.Sums().Labelled()));
  return 0;
}
