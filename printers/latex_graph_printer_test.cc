// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "printers/latex_graph_printer.h"

#include <gtest/gtest.h>
#include <stdio.h>
#include <stdlib.h>

#include <string>
#include <vector>

#include "graph/graph.h"
#include "testing/test_support.h"

namespace {

/// MakeGraph's record (missing pairs 0), filed under `codimension`.
Graph make(const std::vector<int>& genus, const std::vector<int>& marks, const std::vector<int>& loops,
           const std::vector<int>& pairs = {}, int codimension = 0) {
  Graph graph = MakeGraph(genus, marks, loops, pairs);
  graph.codimension = static_cast<int8_t>(codimension);
  return graph;
}

/// A lone component of genus 1 with nothing on it, filed under `codimension`.
Graph plain(int codimension) { return make({1}, {0}, {0}, {}, codimension); }

std::string picture(const Graph& graph) {
  return CaptureOutput([&](FILE* f) { WriteTikzPicture(f, graph); });
}

/// A whole document: BeginPrint, one PrintSomeGraph per pass, EndPrint.
std::string document(LaTeXGraphPrinter& printer, const std::vector<GraphsByCodimension>& passes) {
  return CaptureOutput([&](FILE* f) {
    printer.file = f;
    printer.BeginPrint();
    for (GraphsByCodimension pass : passes) printer.PrintSomeGraph(pass);
    printer.EndPrint();
  });
}

const char kSeparator[] =
    "\\begin{tikzpicture}[baseline]\\path(0,0) circle (1.5);\\end{tikzpicture} & & & & & & & \\\\\n";
const char kNext[] = "    & \n";
const char kRowEnd[] = "\\\\\n\n";
const char kPlainPicture[] =
    "    \\begin{tikzpicture}[baseline]\n"
    "      \\path(0,0) ellipse (2 and 1);\n"
    "      \\node (A0) at (0:1) {$\\scriptstyle{1_{0}}$};\n"
    "\n"
    "    \\end{tikzpicture}\n";

std::string id(int K, int codimension, int number) {
  return "    $\\scriptstyle{(" + std::to_string(K) + ", " + std::to_string(codimension) + ", " +
         std::to_string(number) + ")}$ & \n";
}

/// Closes a row that holds `used` of its four cells.
std::string fill(int used) {
  std::string text;
  for (int i = used; i < 4; ++i) text += " & ";
  return text + "\\\\\n\n\n";
}

/// Cells numbered 1 .. count of plain graphs under one codimension.
std::string plain_cells(int codimension, int count) {
  std::string text;
  for (int number = 1; number <= count; ++number)
    text += id(1, codimension, number) + kPlainPicture + (number % 4 == 0 ? kRowEnd : kNext);
  return text;
}

std::string style(int start, int sibling) {
  return "      \\tikzstyle{level 1}=[counterclockwise from=" + std::to_string(start) +
         ",level distance=9mm,sibling angle=" + std::to_string(sibling) + "]\n";
}

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

size_t count(const std::string& text, const std::string& part) {
  size_t found = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++found;
  return found;
}

// The document of the run with four points on genus 0.
const std::string kFourPoints =
    LaTeXPreamble(0, 4) + kSeparator + id(1, 0, 1) +
    "    \\begin{tikzpicture}[baseline]\n"
    "      \\path(0,0) ellipse (2 and 1);\n"
    "      \\tikzstyle{level 1}=[counterclockwise from=-90,level distance=9mm,sibling angle=90]\n"
    "      \\node (A0) at (0:1) {$\\scriptstyle{0_{4}}$} child child child child;\n"
    "\n"
    "    \\end{tikzpicture}\n" +
    kNext + fill(1) + kSeparator + id(2, 1, 1) +
    "    \\begin{tikzpicture}[baseline]\n"
    "      \\path(0,0) ellipse (2 and 1);\n"
    "      \\tikzstyle{level 1}=[counterclockwise from=-60,level distance=9mm,sibling angle=120]\n"
    "      \\node (A0) at (0:1) {$\\scriptstyle{0_{2}}$} child child;\n"
    "      \\tikzstyle{level 1}=[counterclockwise from=120,level distance=9mm,sibling angle=120]\n"
    "      \\node (A1) at (180:1) {$\\scriptstyle{0_{2}}$} child child;\n"
    "\n"
    "      \\path (A0) edge [bend left=0.000000] (A1);\n"
    "    \\end{tikzpicture}\n" +
    kNext + kLaTeXEnd;

}  // namespace

TEST(LaTeXGraphPrinter, FourPointsOfGenusZero) {
  Graph one = make({0}, {4}, {0}, {}, 0);
  Graph two = make({0, 0}, {2, 2}, {0, 0}, {1}, 1);
  LaTeXGraphPrinter printer(nullptr, 0, 4);
  EXPECT_EQ(kFourPoints, document(printer, {{{0, {&one}}}, {{1, {&two}}}}));
}

TEST(LaTeXGraphPrinter, EveryDocumentIsNumberedFromOne) {
  Graph one = make({0}, {4}, {0}, {}, 0);
  Graph two = make({0, 0}, {2, 2}, {0, 0}, {1}, 1);
  std::vector<GraphsByCodimension> passes = {{{0, {&one}}}, {{1, {&two}}}};
  LaTeXGraphPrinter first(nullptr, 0, 4), second(nullptr, 0, 4);
  EXPECT_EQ(kFourPoints, document(first, passes));
  EXPECT_EQ(kFourPoints, document(second, passes));
  EXPECT_EQ(kFourPoints, document(first, passes)) << "BeginPrint starts the table afresh";
}

TEST(LaTeXGraphPrinter, EmptyTable) {
  LaTeXGraphPrinter printer(nullptr, 3, 0);
  EXPECT_EQ(LaTeXPreamble(3, 0) + kLaTeXEnd, document(printer, {}));
  LaTeXGraphPrinter filtered(nullptr, 1, 1, 5);
  Graph loop = make({0}, {1}, {1}, {}, 1);
  EXPECT_EQ(LaTeXPreamble(1, 1) + kLaTeXEnd, document(filtered, {{}, {{1, {&loop}}}}));
}

TEST(LaTeXGraphPrinter, SectionsFillTheirLastRow) {
  std::vector<Graph> graphs;
  const int sizes[] = {5, 2, 3, 4, 1};  // graphs per codimension 0 .. 4
  for (int c = 0; c < 5; ++c)
    for (int i = 0; i < sizes[c]; ++i) graphs.push_back(plain(c));
  GraphsByCodimension pass;
  for (Graph& graph : graphs) pass[graph.codimension].push_back(&graph);

  LaTeXGraphPrinter printer(nullptr, 2, 0);
  std::string expected = LaTeXPreamble(2, 0) + kSeparator + plain_cells(0, 5) + fill(1) + kSeparator +
                         plain_cells(1, 2) + fill(2) + kSeparator + plain_cells(2, 3) + fill(3) + kSeparator +
                         plain_cells(3, 4) + kSeparator + plain_cells(4, 1) + kLaTeXEnd;
  EXPECT_EQ(expected, document(printer, {pass}));
}

TEST(LaTeXGraphPrinter, FirstGraphOfCodimensionOneOpensNoSection) {
  Graph graph = plain(1);
  LaTeXGraphPrinter printer(nullptr, 1, 0);
  EXPECT_EQ(LaTeXPreamble(1, 0) + plain_cells(1, 1) + kLaTeXEnd, document(printer, {{{1, {&graph}}}}));
}

TEST(LaTeXGraphPrinter, SectionsRunAcrossPasses) {
  // Type (1, 2): the loop with both points and the first graph of two
  // components share codimension 1.
  Graph torus = make({1}, {2}, {0}, {}, 0);
  Graph loop = make({0}, {2}, {1}, {}, 1);
  Graph two = make({0, 1}, {2, 0}, {0, 0}, {1}, 1);
  Graph three = make({0, 0}, {1, 1}, {0, 0}, {2}, 2);
  LaTeXGraphPrinter printer(nullptr, 1, 2);
  std::string text = document(printer, {{{0, {&torus}}, {1, {&loop}}}, {{1, {&two}}, {2, {&three}}}});
  EXPECT_TRUE(contains(text, id(1, 0, 1)));
  EXPECT_TRUE(contains(text, id(1, 1, 1)));
  EXPECT_TRUE(contains(text, id(2, 1, 2)));
  EXPECT_TRUE(contains(text, id(2, 2, 1)));
  EXPECT_EQ(3u, count(text, kSeparator));
}

TEST(LaTeXGraphPrinter, EdgeFilterSkipsWithoutCounting) {
  Graph a = plain(0), b = plain(1), c = plain(1), d = plain(2);
  LaTeXGraphPrinter printer(nullptr, 1, 0, 1);
  EXPECT_EQ(LaTeXPreamble(1, 0) + plain_cells(1, 2) + kLaTeXEnd,
            document(printer, {{{0, {&a}}, {1, {&b}}}, {{1, {&c}}, {2, {&d}}}}));
}

TEST(GraphPrintLaTeX, NodesSitOnTheUnitCircle) {
  std::vector<int> zeros(7, 0), threes(7, 3);
  std::string seven = picture(make(zeros, threes, zeros));
  const int angles[] = {0, 51, 102, 154, 205, 257, 308};
  for (int i = 0; i < 7; ++i)
    EXPECT_TRUE(contains(seven, "\\node (A" + std::to_string(i) + ") at (" + std::to_string(angles[i]) + ":1)"))
        << "vertex " << i;
  EXPECT_TRUE(contains(seven, "ellipse (2 and 2);"));
  EXPECT_TRUE(contains(picture(make({0, 0, 0}, {1, 1, 1}, {0, 0, 0})), "ellipse (2 and 2);"));
  std::string two = picture(make({0, 0}, {2, 2}, {0, 0}, {1}));
  EXPECT_TRUE(contains(two, "ellipse (2 and 1);"));
  EXPECT_TRUE(contains(two, "\\node (A1) at (180:1)"));
}

TEST(GraphPrintLaTeX, LegsOfALoneVertex) {
  struct Case {
    int loops, marks, start, sibling;
  };
  // With no loops the legs of a lone vertex divide the full circle by the
  // number of legs.
  const Case cases[] = {{1, 1, -90, 0}, {1, 4, -150, 40}, {0, 1, 0, 0},
                        {0, 2, -90, 180}, {0, 3, -90, 120}, {0, 4, -90, 90}};
  for (const Case& c : cases) {
    std::string text = picture(make({0}, {c.marks}, {c.loops}));
    EXPECT_TRUE(contains(text, style(c.start, c.sibling))) << c.loops << " loops, " << c.marks << " legs:\n"
                                                            << text;
    EXPECT_EQ(static_cast<size_t>(c.marks), count(text, " child"));
  }
  EXPECT_FALSE(contains(kPlainPicture, "tikzstyle"));
  EXPECT_EQ(kPlainPicture, picture(plain(0)));
}

TEST(GraphPrintLaTeX, OneLegAndTwoLoopsOnALoneVertex) {
  EXPECT_EQ(
      "    \\begin{tikzpicture}[baseline]\n"
      "      \\path(0,0) ellipse (2 and 1);\n"
      "      \\tikzstyle{level 1}=[counterclockwise from=-90,level distance=9mm,sibling angle=0]\n"
      "      \\node (A0) at (0:1) {$\\scriptstyle{0_{1}}$} child;\n"
      "\n"
      "      \\draw (A0) .. controls +(60.000000:1.2) and +(90.000000:1.2) .. (A0);\n"
      "      \\draw (A0) .. controls +(90.000000:1.2) and +(120.000000:1.2) .. (A0);\n"
      "    \\end{tikzpicture}\n",
      picture(make({0}, {1}, {2})));
}

TEST(GraphPrintLaTeX, LegsLoopsAndEdgesOfAChain) {
  // One vertex for each of the four rows of several components.
  Graph chain = make({0, 0, 1, 1}, {1, 4, 1, 4}, {1, 1, 0, 0}, {1, 0, 0, 1, 0, 1});
  EXPECT_EQ(
      "    \\begin{tikzpicture}[baseline]\n"
      "      \\path(0,0) ellipse (2 and 2);\n"
      "      \\tikzstyle{level 1}=[counterclockwise from=-60,level distance=9mm,sibling angle=0]\n"
      "      \\node (A0) at (0:1) {$\\scriptstyle{0_{1}}$} child;\n"
      "      \\tikzstyle{level 1}=[counterclockwise from=-30,level distance=9mm,sibling angle=20]\n"
      "      \\node (A1) at (90:1) {$\\scriptstyle{0_{4}}$} child child child child;\n"
      "      \\tikzstyle{level 1}=[counterclockwise from=180,level distance=9mm,sibling angle=0]\n"
      "      \\node (A2) at (180:1) {$\\scriptstyle{1_{1}}$} child;\n"
      "      \\tikzstyle{level 1}=[counterclockwise from=210,level distance=9mm,sibling angle=40]\n"
      "      \\node (A3) at (270:1) {$\\scriptstyle{1_{4}}$} child child child child;\n"
      "\n"
      "      \\draw (A0) .. controls +(15.000000:1.2) and +(45.000000:1.2) .. (A0);\n"
      "      \\draw (A1) .. controls +(105.000000:1.2) and +(135.000000:1.2) .. (A1);\n"
      "      \\path (A0) edge [bend left=0.000000] (A1);\n"
      "      \\path (A1) edge [bend left=0.000000] (A2);\n"
      "      \\path (A2) edge [bend left=0.000000] (A3);\n"
      "    \\end{tikzpicture}\n",
      picture(chain));
}

TEST(GraphPrintLaTeX, LoopsWithoutLegsCentreOnTheVertex) {
  std::string lone = picture(make({0}, {0}, {2}));
  EXPECT_TRUE(contains(lone, "\\draw (A0) .. controls +(-30.000000:1.2) and +(0.000000:1.2) .. (A0);\n"
                             "      \\draw (A0) .. controls +(0.000000:1.2) and +(30.000000:1.2) .. (A0);\n"));
  std::string pair = picture(make({1, 1}, {0, 0}, {0, 1}, {1}));
  EXPECT_TRUE(contains(pair, "\\draw (A1) .. controls +(165.000000:1.2) and +(195.000000:1.2) .. (A1);\n"));
  EXPECT_EQ(1u, count(pair, "\\draw"));
}

TEST(GraphPrintLaTeX, ParallelEdgesBendSymmetrically) {
  std::string text = picture(make({0, 0, 0}, {1, 1, 1}, {0, 0, 0}, {3, 0, 2}));
  EXPECT_TRUE(contains(text,
                       "      \\path (A0) edge [bend left=-30.000000] (A1);\n"
                       "      \\path (A0) edge [bend left=0.000000] (A1);\n"
                       "      \\path (A0) edge [bend left=30.000000] (A1);\n"
                       "      \\path (A1) edge [bend left=-15.000000] (A2);\n"
                       "      \\path (A1) edge [bend left=15.000000] (A2);\n"
                       "    \\end{tikzpicture}\n"));
  EXPECT_EQ(5u, count(text, " edge "));
}
