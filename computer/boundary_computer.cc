// Copyright 2026 The stable-graphs Authors.
#include "computer/boundary_computer.h"

#include <string.h>

#include <algorithm>

BoundaryComputer::BoundaryComputer(int g_, int n_) : g(g_), n(n_), work_graph(-1, -1, -1) {}

BoundaryComputer::~BoundaryComputer() {
  for (auto& entry : store_by_codimension)
    for (Graph* graph : entry.second) delete graph;
}

std::vector<Graph*>* BoundaryComputer::GetAllResults() {
  auto* all = new std::vector<Graph*>;
  for (auto& entry : store_by_codimension) all->insert(all->end(), entry.second.begin(), entry.second.end());
  return all;
}

GraphsByCodimension* BoundaryComputer::GetAllResultsByCodimension() { return &store_by_codimension; }

void BoundaryComputer::Compute(GraphPrinter& printer_, ::Statistics mode) { Compute(printer_, mode, -1); }

void BoundaryComputer::Compute(GraphPrinter& printer_) { Compute(printer_, StatisticsFull, -1); }

void BoundaryComputer::Compute(GraphPrinter& printer_, ::Statistics mode, int edge_filter_) {
  printer = &printer_;
  bool full = mode == StatisticsFull;
  if (2 * g + n - 3 >= 0) {
    found_per_codimension.assign(3 * g + n - 2, 0);
    spare_counts_a.assign(2 * g + n - 1, 0);
    spare_counts_b.assign(2 * g + n - 1, 0);
    printer->BeginPrint();
    edge_filter = edge_filter_;
    tried.assign(2 * g + n - 1, 0);
    found.assign(2 * g + n - 1, 0);
    duplicated.assign(2 * g + n - 1, 0);
    unconnected.assign(2 * g + n - 1, 0);

    if (full) fprintf(stderr, "K = %2d... ", 1);
    one_vertex_pass();
    if (full) fprintf(stderr, "done.\n");
    empty_store_to_statistics();

    for (int K = 2; K <= max_K() && (edge_filter == -1 || K - 1 <= edge_filter); ++K) {
      if (full) fprintf(stderr, "K = %2d... ", K);
      work_graph.Clear(static_cast<int8_t>(K));
      bt_g(0);
      if (full) fprintf(stderr, "done.\n");
      empty_store_to_statistics();
    }
    printer->EndPrint();
  }
  computed = true;
  if (mode == StatisticsFull) Statistics(stderr);
  if (mode == StatisticsTerse) TerseStatistics(stderr);
}

// The g + 1 one-vertex graphs are pairwise distinct (a vertex of genus j
// carries g - j loops), so they are stored without any test.
void BoundaryComputer::one_vertex_pass() {
  work_graph.Clear(1);
  work_graph.g = g;
  work_graph.n = n;
  memset(work_graph.multiplicity_count, 0, sizeof(work_graph.multiplicity_count));
  work_graph.nautyK = -1;
  for (int j = 0; j <= g; ++j) {
    ++tried[1];
    work_graph.genus[0] = static_cast<int8_t>(j);
    work_graph.marked_points[0] = static_cast<int8_t>(n);
    work_graph.loops[0] = work_graph.adjacency[0][0] = work_graph.codimension = static_cast<int8_t>(g - j);
    work_graph.valence[0] = static_cast<int8_t>(n + 2 * (g - j));
    if (edge_filter == -1 || edge_filter == g - j) {
      ++found[1];
      add_to_store();
    }
  }
}

void BoundaryComputer::empty_store_to_statistics() {
  printer->PrintSomeGraph(store_by_codimension);
  for (auto& entry : store_by_codimension) {
    found_per_codimension[entry.first] += static_cast<int>(entry.second.size());
    for (Graph* graph : entry.second) delete graph;
  }
  store_by_codimension.clear();
  store_by_class.clear();
}

namespace {

/// Writes one counter row: a label, the entries and their sum.
void print_row(FILE* out, const char* label, const std::vector<int>& counts) {
  fputs(label, out);
  int sum = 0;
  for (int count : counts) {
    fprintf(out, "%5d ", count);
    sum += count;
  }
  fprintf(out, "= %7d\n", sum);
}

/// Writes one group of the terse report.
void print_group(FILE* out, const std::vector<int>& counts) {
  fputs(" (", out);
  for (int count : counts) fprintf(out, "%d,", count);
  fputs("),\n", out);
}

}  // namespace

void BoundaryComputer::Statistics(FILE* out) {
  if (!computed) {
    fputs("Not yet computed!\n", out);
    return;
  }
  print_row(out, "Tried       ", tried);
  print_row(out, "Unconnected ", unconnected);
  print_row(out, "Duplicated  ", duplicated);
  print_row(out, "Found       ", found);
  for (size_t c = 0; c < found_per_codimension.size(); ++c)
    fprintf(out, "%3d: %5d\n", static_cast<int>(c), found_per_codimension[c]);
}

void BoundaryComputer::TerseStatistics(FILE* out) {
  if (!computed) {
    fputs("Not yet computed!\n", out);
    return;
  }
  fputs("(\n", out);
  for (const std::vector<int>* counts :
       {&spare_counts_a, &spare_counts_b, &found, &found_per_codimension, &unconnected, &duplicated})
    print_group(out, *counts);
  fputs(")\n", out);
}
