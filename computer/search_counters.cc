// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "computer/search_counters.h"

#include <stdexcept>

#include "computer/edge_task.h"
#include "computer/run_journal.h"
#include "labelled/labelled_count.h"

SearchCounters::SearchCounters(int g, int n, bool labelled_)
    : labelled(labelled_), tried(2 * g + n - 1, 0), unconnected(2 * g + n - 1, 0), duplicated(2 * g + n - 1, 0),
      found(2 * g + n - 1, 0), found_per_codimension(3 * g + n - 2, 0),
      labelled_found(labelled_ ? 2 * g + n - 1 : 0, 0), labelled_per_codimension(labelled_ ? 3 * g + n - 2 : 0, 0) {}

void SearchCounters::AddOneVertexGraph(const Graph& graph) {
  ++found_per_codimension[graph.codimension];
  if (!labelled) return;
  mpz_class count = LabelledGraphCount(graph);
  labelled_found[1] += count;
  labelled_per_codimension[graph.codimension] += count;
}

namespace {

/// Adds to a counter; a sum beyond 64 bits ends the run as an internal
/// error.
void add_count(int64_t& counter, int64_t more) {
  if (__builtin_add_overflow(counter, more, &counter)) throw std::overflow_error("a counter of the search overflowed");
}

}  // namespace

void SearchCounters::AddTask(int K, const EdgeTask& task) {
  add_count(tried[K], task.tried);
  add_count(unconnected[K], task.unconnected);
  add_count(duplicated[K], task.duplicated);
  add_count(found[K], task.found);
  add_count(found_per_codimension[task.codimension()], static_cast<int64_t>(task.stored.size()));
  if (task.labelled) {
    mpz_class count = task.labelled->Total();
    labelled_found[K] += count;
    labelled_per_codimension[task.codimension()] += count;
  }
}

void SearchCounters::RecordIn(RunState& state) const {
  state.tried = tried;
  state.unconnected = unconnected;
  state.duplicated = duplicated;
  state.found = found;
  state.found_per_codimension = found_per_codimension;
  state.labelled_found.clear();
  state.labelled_per_codimension.clear();
  for (const mpz_class& count : labelled_found) state.labelled_found.push_back(count.get_str());
  for (const mpz_class& count : labelled_per_codimension) state.labelled_per_codimension.push_back(count.get_str());
}

void SearchCounters::RestoreFrom(const RunState& state) {
  auto take = [](Counts& counts, const std::vector<int64_t>& saved) {
    if (saved.size() != counts.size()) throw std::invalid_argument("a resumed state of another type");
    counts = saved;
  };
  take(tried, state.tried);
  take(unconnected, state.unconnected);
  take(duplicated, state.duplicated);
  take(found, state.found);
  take(found_per_codimension, state.found_per_codimension);
  auto take_exact = [](std::vector<mpz_class>& counts, const std::vector<std::string>& saved) {
    if (saved.size() != counts.size()) throw std::invalid_argument("a resumed state of another run");
    for (size_t k = 0; k < saved.size(); ++k) counts[k] = mpz_class(saved[k], 10);
  };
  take_exact(labelled_found, state.labelled_found);
  take_exact(labelled_per_codimension, state.labelled_per_codimension);
}

namespace {

/// Writes one counter row: a label, the entries and their sum.
void print_row(FILE* out, const char* label, const Counts& counts) {
  fputs(label, out);
  mpz_class sum = 0;  // exact, whatever the counters hold
  for (long long count : counts) {
    fprintf(out, "%5lld ", count);
    sum += static_cast<long>(count);
  }
  fprintf(out, "= %7s\n", sum.get_str().c_str());
}

/// Writes one group of the terse report.
void print_group(FILE* out, const Counts& counts) {
  fputs(" (", out);
  for (long long count : counts) fprintf(out, "%lld,", count);
  fputs("),\n", out);
}

/// Writes a counter row of exact counts, laid out as print_row.
void print_exact_row(FILE* out, const char* label, const std::vector<mpz_class>& counts) {
  fputs(label, out);
  mpz_class sum = 0;
  for (const mpz_class& count : counts) {
    fprintf(out, "%5s ", count.get_str().c_str());
    sum += count;
  }
  fprintf(out, "= %7s\n", sum.get_str().c_str());
}

/// Writes a group of exact counts, laid out as print_group.
void print_exact_group(FILE* out, const std::vector<mpz_class>& counts) {
  fputs(" (", out);
  for (const mpz_class& count : counts) fprintf(out, "%s,", count.get_str().c_str());
  fputs("),\n", out);
}

}  // namespace

void SearchCounters::WriteFull(FILE* out) const {
  print_row(out, "Tried       ", tried);
  print_row(out, "Unconnected ", unconnected);
  print_row(out, "Duplicated  ", duplicated);
  print_row(out, "Found       ", found);
  for (size_t c = 0; c < found_per_codimension.size(); ++c)
    fprintf(out, "%3d: %5lld\n", static_cast<int>(c), static_cast<long long>(found_per_codimension[c]));
  if (!labelled) return;
  print_exact_row(out, "Labelled    ", labelled_found);
  fputs("Labelled by codimension\n", out);
  for (size_t c = 0; c < labelled_per_codimension.size(); ++c)
    fprintf(out, "%3d: %5s\n", static_cast<int>(c), labelled_per_codimension[c].get_str().c_str());
}

// The two groups of zeros before the counts of graphs found keep the
// layout that readers of the terse report expect.
void SearchCounters::WriteTerse(FILE* out) const {
  const Counts zeros(found.size(), 0);
  fputs("(\n", out);
  for (const Counts* counts : {&zeros, &zeros, &found, &found_per_codimension, &unconnected, &duplicated})
    print_group(out, *counts);
  if (labelled) {
    print_exact_group(out, labelled_found);
    print_exact_group(out, labelled_per_codimension);
  }
  fputs(")\n", out);
}
