// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "printers/latex_graph_printer.h"

#include "graph/graph.h"
#include "graph/version.h"

LaTeXGraphPrinter::LaTeXGraphPrinter(FILE* file_, int g_, int n_, std::optional<int> edge_filter_)
    : file(file_), edge_filter(CheckedCodimension(edge_filter_)), columns(4), g(g_), n(n_) {}

LaTeXGraphPrinter::LaTeXGraphPrinter(FILE* file_, int g_, int n_)
    : LaTeXGraphPrinter(file_, g_, n_, std::nullopt) {}

void LaTeXGraphPrinter::BeginPrint() {
  prev_K = 1;
  counter = 0;
  fputs("\\documentclass{article}\n\n", file);
  fputs("\\usepackage{tikz}\n\\usepackage{booktabs}\n\\usepackage{longtable}\n"
        "\\usepackage{geometry}\n\\usetikzlibrary{trees}\n\n",
        file);
  fputs("\\tikzstyle{every picture}=[scale=.5,inner sep=10]\n"
        "\\tikzstyle{every node}=[draw,circle,inner sep=1]\n\n",
        file);
  fprintf(file, "\\title{Strata of $\\overline{\\mathcal{M}}_{%d,%d}$}\n", g, n);
  // The title page names what wrote the document, so that a reader can
  // tell which version made the graphs.
  fprintf(file, "\\author{stable-graphs %s}\n\\date{\\today}\n\n", StableGraphsVersion());
  fputs("\\begin{document}\n\\maketitle\n\n", file);
  fputs("Legend: Id = (components, codimension, unique id); G = Graph.\n\n", file);
  fputs("  \\begin{longtable}{c@{}c", file);
  for (int c = 1; c < columns; ++c) fputs("|c@{}c", file);
  fputs("}\n", file);
  fputs("    \\toprule\n", file);
  for (int c = 1; c < columns; ++c) fputs("    Id & G &\n", file);
  fputs("    Id & G \\\\\n", file);
  fputs("    \\midrule\n    \\endhead\n\n", file);
  fputs("    \\bottomrule\n    \\endfoot\n\n", file);
}

void LaTeXGraphPrinter::PrintSomeGraph(const GraphsByCodimension& graphs) {
  ForEachGraphToPrint(graphs, edge_filter, [this](const Graph& graph) { print_middle(&graph, false); });
}

std::string LaTeXGraphPrinter::State() const { return std::to_string(prev_K) + " " + std::to_string(counter); }

bool LaTeXGraphPrinter::RestoreState(const std::string& state) {
  int key, cell, used = 0;
  if (sscanf(state.c_str(), "%d %d%n", &key, &cell, &used) != 2 || static_cast<size_t>(used) != state.size() ||
      cell < 0)
    return false;
  prev_K = key;
  counter = cell;
  return true;
}

// The table's section is that of the last graph's codimension, and holds
// at most the graphs of that codimension printed.
std::string LaTeXGraphPrinter::RestoredStateProblem(const PrintedSoFar& printed) const {
  return SectionProblem(printed, edge_filter, prev_K, counter, 1, "the LaTeX table");
}

void LaTeXGraphPrinter::EndPrint() { fputs("  \\end{longtable}\n\\end{document}\n", file); }

void LaTeXGraphPrinter::print_middle(const Graph* graph, bool by_components) {
  int key = by_components ? graph->K : graph->codimension;
  ++counter;
  if (key != prev_K) {
    if (counter % columns != 1) {
      while (counter % columns != 1) {
        fputs(" & ", file);
        ++counter;
      }
      fputs("\\\\\n\n\n", file);
    }
    prev_K = key;
    counter = 1;
    fputs("\\begin{tikzpicture}[baseline]\\path(0,0) circle (1.5);\\end{tikzpicture}", file);
    for (int c = 1; c < 2 * columns; ++c) fputs(" &", file);
    fputs(" \\\\\n", file);
  }
  fprintf(file, "    $\\scriptstyle{(%d, %d, %d)}$ & \n", graph->K, graph->codimension, counter);
  WriteTikzPicture(file, *graph);
  if (counter % columns == 0)
    fputs("\\\\\n\n", file);
  else
    fputs("    & \n", file);
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

void WriteTikzPicture(FILE* file, const Graph& graph) {
  fputs("    \\begin{tikzpicture}[baseline]\n", file);
  fprintf(file, "      \\path(0,0) ellipse (2 and %d);\n", graph.K > 2 ? 2 : 1);
  for (int i = 0; i < graph.K; ++i) {
    int theta = 360 * i / graph.K;
    int marks = graph.marked_points[i];
    if (marks > 0) {
      LegFan fan = leg_fan(graph.adjacency[i][i], graph.K, marks, theta);
      fprintf(file,
              "      \\tikzstyle{level 1}=[counterclockwise from=%d,level distance=9mm,sibling "
              "angle=%d]\n",
              fan.start, fan.sibling);
    }
    fprintf(file, "      \\node (A%d) at (%d:1) {$\\scriptstyle{%d_{%d}}$}", i, theta, graph.genus[i], marks);
    if (graph.labelled) {
      // Each leg ends in its label, drawn without the circle of a vertex.
      for (int label : graph.LabelsAt(i)) fprintf(file, " child {node[draw=none] {$\\scriptscriptstyle{%d}$}}", label);
    } else {
      for (int c = 0; c < marks; ++c) fputs(" child", file);
    }
    fputs(";\n", file);
  }
  fputs("\n", file);
  for (int i = 0; i < graph.K; ++i) {
    int theta = 360 * i / graph.K;
    int count = graph.adjacency[i][i];
    for (int j = 0; j < count; ++j) {
      double d = j - count / 2.0;
      double shift = graph.marked_points[i] == 0 ? 0 : 1 + (graph.K == 1 ? 2 : 0);
      double a1 = theta + 30 * (d + shift);
      fprintf(file, "      \\draw (A%d) .. controls +(%lf:1.2) and +(%lf:1.2) .. (A%d);\n", i, a1, a1 + 30, i);
    }
  }
  for (int i = 0; i < graph.K; ++i) {
    for (int k = i + 1; k < graph.K; ++k) {
      int count = graph.adjacency[i][k];
      for (int l = 0; l < count; ++l)
        fprintf(file, "      \\path (A%d) edge [bend left=%lf] (A%d);\n", i, 30 * (l - count / 2.0) + 15, k);
    }
  }
  fputs("    \\end{tikzpicture}\n", file);
}
