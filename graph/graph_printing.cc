// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
//
// The ways a Graph writes itself: text block, matrices, byte-stream record
// and TikZ picture.
#include <stdio.h>

#include "graph/graph.h"
#include "nauty.h"

void Graph::PrintNormal(FILE* file) const {
  int edges = 0;
  for (int i = 0; i < K; ++i)
    for (int j = i; j < K; ++j) edges += adjacency[i][j];
  fprintf(file, "Genus: %d,\n", g);
  fprintf(file, "  codimension: %d,\n", edges);
  fprintf(file, "  irreducible components: %d,\n", K);
  fputs("  with genus ", file);
  for (int i = 0; i < K; ++i) fprintf(file, "%d ", genus[i]);
  fputs("\n  with marked points ", file);
  for (int i = 0; i < K; ++i) fprintf(file, "%d ", marked_points[i]);
  if (labelled) {
    fputs("\n  with labels ", file);
    for (int i = 0; i < K; ++i) {
      std::vector<int> labels = LabelsAt(i);
      fputc('{', file);
      for (size_t l = 0; l < labels.size(); ++l) fprintf(file, l == 0 ? "%d" : ",%d", labels[l]);
      fputs("} ", file);
    }
  }
  fputs("\n  with loops ", file);
  for (int i = 0; i < K; ++i) fprintf(file, "%d ", loops[i]);
  fputs("\n  with adjacency matrix\n", file);
  PrintMatrix(file);
  fputs("\n", file);
}

std::vector<int> Graph::LabelsAt(int v) const {
  std::vector<int> labels;
  for (int l = 0; l < n && l < kMaxLabels; ++l)
    if (vertex_of_label[l] == v) labels.push_back(l + 1);
  return labels;
}

void Graph::PrintMatrix(FILE* file) const {
  for (int i = 0; i < K; ++i) {
    fputs("    ", file);
    for (int j = 0; j < K; ++j) fprintf(file, "%d ", adjacency[i][j]);
    fputs("\n", file);
  }
}

void Graph::PrintMatrixSimple(FILE* file, unsigned int* packed) const {
  for (int i = 0; i < nautyK; ++i) {
    fputs("    ", file);
    const unsigned int* row = packed + i * nautyM;
    for (int j = 0; j < nautyK; ++j) fputs((row[j / 32] & bit[j % 32]) ? "1 " : "0 ", file);
    fputs("\n", file);
  }
}

// The record is assembled first and written in one call: large runs write
// billions of bytes.
void Graph::PrintBinary(FILE* file) const {
  unsigned char record[1 + 3 * kMaxComponents + kMaxComponents * (kMaxComponents - 1) / 2 + kMaxLabels];
  size_t size = 0;
  int k = K > 0 ? (K < kMaxComponents ? K : kMaxComponents) : 0;
  record[size++] = static_cast<unsigned char>(K);
  for (int i = 0; i < k; ++i) record[size++] = static_cast<unsigned char>(genus[i]);
  for (int i = 0; i < k; ++i) record[size++] = static_cast<unsigned char>(marked_points[i]);
  for (int i = 0; i < k; ++i) record[size++] = static_cast<unsigned char>(loops[i]);
  for (int i = 0; i + 1 < k; ++i)
    for (int j = i + 1; j < k; ++j) record[size++] = static_cast<unsigned char>(adjacency[i][j]);
  if (labelled)  // the vertex of each label 1 .. n
    for (int l = 0; l < n && l < kMaxLabels; ++l) record[size++] = static_cast<unsigned char>(vertex_of_label[l]);
  fwrite(record, 1, size, file);
}

namespace {

/// Direction of the first leg and the angle between legs of one vertex.
struct LegFan {
  int start;
  int sibling;
};

/// Spreads the legs away from the loops and, in a graph of several
/// components, away from the centre.
LegFan leg_fan(int loops, int K, int marks, int theta) {
  bool one = K == 1;
  if (loops > 0) {
    if (one) return marks == 1 ? LegFan{-90, 0} : LegFan{-150, 120 / (marks - 1)};
    return marks == 1 ? LegFan{theta - 60, 0} : LegFan{theta - 120, 60 / (marks - 1)};
  }
  // A lone vertex spreads its legs over the full circle; dividing by the
  // number of legs keeps the first and the last apart.
  if (one) return marks == 1 ? LegFan{0, 0} : LegFan{-90, 360 / marks};
  return marks == 1 ? LegFan{theta, 0} : LegFan{theta - 60, 120 / (marks - 1)};
}

}  // namespace

void Graph::PrintLaTeX(FILE* file) const {
  fputs("    \\begin{tikzpicture}[baseline]\n", file);
  fprintf(file, "      \\path(0,0) ellipse (2 and %d);\n", K > 2 ? 2 : 1);
  for (int i = 0; i < K; ++i) {
    int theta = 360 * i / K;
    int marks = marked_points[i];
    if (marks > 0) {
      LegFan fan = leg_fan(adjacency[i][i], K, marks, theta);
      fprintf(file,
              "      \\tikzstyle{level 1}=[counterclockwise from=%d,level distance=9mm,sibling "
              "angle=%d]\n",
              fan.start, fan.sibling);
    }
    fprintf(file, "      \\node (A%d) at (%d:1) {$\\scriptstyle{%d_{%d}}$}", i, theta, genus[i], marks);
    if (labelled) {
      // Each leg ends in its label, drawn without the circle of a vertex.
      for (int label : LabelsAt(i)) fprintf(file, " child {node[draw=none] {$\\scriptscriptstyle{%d}$}}", label);
    } else {
      for (int c = 0; c < marks; ++c) fputs(" child", file);
    }
    fputs(";\n", file);
  }
  fputs("\n", file);
  for (int i = 0; i < K; ++i) {
    int theta = 360 * i / K;
    int count = adjacency[i][i];
    for (int j = 0; j < count; ++j) {
      double d = j - count / 2.0;
      double shift = marked_points[i] == 0 ? 0 : 1 + (K == 1 ? 2 : 0);
      double a1 = theta + 30 * (d + shift);
      fprintf(file, "      \\draw (A%d) .. controls +(%lf:1.2) and +(%lf:1.2) .. (A%d);\n", i, a1, a1 + 30, i);
    }
  }
  for (int i = 0; i < K; ++i) {
    for (int k = i + 1; k < K; ++k) {
      int count = adjacency[i][k];
      for (int l = 0; l < count; ++l)
        fprintf(file, "      \\path (A%d) edge [bend left=%lf] (A%d);\n", i, 30 * (l - count / 2.0) + 15, k);
    }
  }
  fputs("    \\end{tikzpicture}\n", file);
}
