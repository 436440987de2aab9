// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "homology/cell_complex.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <stdexcept>
#include <vector>

#include "computer/boundary_computer.h"
#include "homology/cell_edges.h"
#include "homology/homology_printer.h"
#include "poset/stratum_key.h"
#include "printers/null_graph_printer.h"

namespace {

/// The cells of a run of (g, n), sealed.
struct Collected {
  NullGraphPrinter null;
  std::unique_ptr<HomologyPrinter> printer;

  Collected(int g, int n, bool labelled, Subcomplex relative_to) {
    HomologyPrinterSettings settings;
    settings.g = g;
    settings.n = n;
    settings.labelled_complex = labelled;
    settings.relative_to = relative_to;
    printer = std::make_unique<HomologyPrinter>(null, settings);
    BoundaryComputer computer(g, n);
    computer.Compute(*printer, StatisticsNone);
  }
  const CellComplex& complex(bool labelled) const { return labelled ? *printer->Labelled() : printer->Quotient(); }
};

/// d_k d_{k+1} = 0, computed exactly: the composite of every column.
void expect_boundary_of_boundary_zero(const CellComplex& complex, const char* what) {
  for (int k = complex.LowestDegree(); k < complex.HighestDegree(); ++k) {
    SparseMatrix lower = complex.Boundary(k), upper = complex.Boundary(k + 1);
    std::vector<std::vector<SparseMatrix::Entry>> column(lower.columns);
    for (const SparseMatrix::Entry& entry : lower.entries) column[entry.column].push_back(entry);
    std::map<std::pair<uint32_t, uint32_t>, long> composite;
    for (const SparseMatrix::Entry& entry : upper.entries)
      for (const SparseMatrix::Entry& below : column[entry.row])
        composite[{below.row, entry.column}] += static_cast<long>(entry.value) * below.value;
    for (const auto& [place, value] : composite)
      ASSERT_EQ(0, value) << what << ": d_" << k << " d_" << k + 1 << " at row " << place.first << ", column "
                          << place.second;
  }
}

TEST(CellComplex, BoundaryOfABoundaryIsZero) {
  const int types[][2] = {{0, 5}, {0, 6}, {0, 7}, {1, 3}, {1, 4}, {2, 0}, {2, 2}, {2, 3}, {3, 0}, {3, 1}, {4, 0}};
  for (const auto& type : types) {
    for (Subcomplex relative_to :
         {Subcomplex::kNone, Subcomplex::kLoopsOrGenus, Subcomplex::kLoopsGenusOrSharedPoints}) {
      if (relative_to != Subcomplex::kNone && type[0] == 0) continue;
      Collected cells(type[0], type[1], true, relative_to);
      std::string what = std::to_string(type[0]) + "," + std::to_string(type[1]) + " relative to " +
                         std::to_string(static_cast<int>(relative_to));
      expect_boundary_of_boundary_zero(cells.complex(false), (what + " quotient").c_str());
      expect_boundary_of_boundary_zero(cells.complex(true), (what + " labelled").c_str());
    }
  }
}

// A cell's graph with its vertices renumbered and its edges in the
// canonical order carried along has the canonical orientation: whatever
// renumbering StratumKey picks, the sign comes out +1.
TEST(CellComplex, CanonicalOrientationDoesNotDependOnTheNumbering) {
  std::mt19937 random(7);
  const int types[][2] = {{0, 7}, {2, 3}, {3, 1}, {4, 0}};
  for (const auto& type : types) {
    Collected cells(type[0], type[1], true, Subcomplex::kNone);
    for (bool labelled : {false, true}) {
      const CellComplex& complex = cells.complex(labelled);
      for (int k = 0; k <= complex.HighestDegree(); ++k) {
        for (size_t i = 0; i < complex.Dimension(k); ++i) {
          const std::string key = complex.Basis(k).Key(i);
          Graph graph = GraphOfStratumKey(key, type[0], type[1], labelled);
          ASSERT_EQ(key, StratumKey(graph));
          int moved[kMaxComponents];
          for (int v = 0; v < graph.K; ++v) moved[v] = v;
          std::shuffle(moved, moved + graph.K, random);
          Graph renumbered = graph;
          for (int u = 0; u < graph.K; ++u) {
            renumbered.genus[moved[u]] = graph.genus[u];
            renumbered.marked_points[moved[u]] = graph.marked_points[u];
            renumbered.loops[moved[u]] = graph.loops[u];
            for (int v = 0; v < graph.K; ++v) renumbered.adjacency[moved[u]][moved[v]] = graph.adjacency[u][v];
          }
          if (labelled)
            for (int l = 0; l < type[1]; ++l) renumbered.vertex_of_label[l] = static_cast<int8_t>(moved[graph.vertex_of_label[l]]);
          CellEdges edges = EdgesInOrder(graph);
          for (int e = 0; e < edges.count; ++e) {
            int8_t a = static_cast<int8_t>(moved[edges.ends[e].u]), b = static_cast<int8_t>(moved[edges.ends[e].v]);
            edges.ends[e] = {std::min(a, b), std::max(a, b)};
          }
          int order[kMaxComponents];
          ASSERT_EQ(key, StratumKey(renumbered, order));
          EXPECT_EQ(1, OrientationSign(edges, order, graph.K)) << type[0] << "," << type[1] << " cell " << i;
        }
      }
    }
  }
}

TEST(CellComplex, OrientationSignCountsInversions) {
  Graph triangle(0, 3, 3);
  for (int u = 0; u < 3; ++u)
    for (int v = 0; v < 3; ++v) triangle.adjacency[u][v] = u == v ? 0 : 1;
  CellEdges edges = EdgesInOrder(triangle);
  ASSERT_EQ(3, edges.count);
  int identity[] = {0, 1, 2};
  EXPECT_EQ(1, OrientationSign(edges, identity, 3));
  std::swap(edges.ends[0], edges.ends[2]);
  EXPECT_EQ(-1, OrientationSign(edges, identity, 3));
  // Renumbering the triangle's vertices cyclically permutes its edges
  // cyclically, an even permutation: the sign stays.
  int rotated[] = {2, 0, 1};
  EXPECT_EQ(-1, OrientationSign(edges, rotated, 3));
  // A transposition of two vertices swaps two edges and fixes the third.
  int swapped[] = {1, 0, 2};
  EXPECT_EQ(1, OrientationSign(edges, swapped, 3));
}

TEST(CellComplex, MissingFaceIsAnError) {
  Collected cells(2, 2, false, Subcomplex::kNone);
  const CellComplex& whole = cells.complex(false);
  CellComplexSettings settings = whole.settings();
  CellComplex missing(settings);
  for (int k = 0; k <= whole.HighestDegree(); ++k)
    for (size_t i = k == 1 ? 1 : 0; i < whole.Dimension(k); ++i)
      missing.Add(GraphOfStratumKey(whole.Basis(k).Key(i), 2, 2, false), whole.Basis(k).Id(i));
  missing.Seal();
  EXPECT_THROW(missing.Boundary(2), std::logic_error);
  EXPECT_NO_THROW(whole.Boundary(2));
}

}  // namespace
