// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "main/usage.h"

#include <string.h>

namespace {

void print_tool_usage(FILE* out, const char* program) {
  fprintf(out, "Usage:\n\t%s [-P L|T|B|N] [-S F|T|N] [-C C] genus [marked_points]\n", program);
  fputs("\t\t-P L: print graphs in LaTeX (default)\n", out);
  fputs("\t\t-P T: print graphs in text format\n", out);
  fputs("\t\t-P B: print graphs in binary format\n", out);
  fputs("\t\t-P N: do not print graphs\n", out);
  fputs("\t\t\n", out);
  fputs("\t\t-S F: print full statistics (default)\n", out);
  fputs("\t\t-S T: print terse statistics\n", out);
  fputs("\t\t-S N: don't print statistics\n", out);
  fputs("\t\t\n", out);
  fputs("\t\t-C C: print only graphs with C edges\n", out);
}

void print_converter_usage(FILE* out, const char* program) {
  fprintf(out, "Usage:\n\t%s [-P L|T|B|J|S|N] [-C C] [stream [genus [marked_points]]]\n", program);
  fputs("\t\t-P L: print graphs in LaTeX (default)\n", out);
  fputs("\t\t-P T: print graphs in text format\n", out);
  fputs("\t\t-P B: print graphs in binary format\n", out);
  fputs("\t\t-P J: print graphs as JSON Lines\n", out);
  fputs("\t\t-P S: print graphs as SageMath StableGraph lines\n", out);
  fputs("\t\t-P N: do not print graphs (only check the stream)\n", out);
  fputs("\t\t\n", out);
  fputs("\t\t-C C: print only graphs with C edges\n", out);
  fputs("\t\t\n", out);
  fputs("\t\tstream: the byte stream of stable-graphs -P B to read (default, or -: standard input)\n", out);
  fputs("\t\tgenus marked_points: the type for the title of -P L and -P T when the stream holds no graph;\n", out);
  fputs("\t\t\tchecked against the graphs otherwise\n", out);
}

/// The -P lines both tools' help shares.
void print_formats(FILE* out, const char* none) {
  fputs("\t\t-P L: print graphs as a LaTeX document (default)\n", out);
  fputs("\t\t-P T: print graphs in text format\n", out);
  fputs("\t\t-P B: print graphs in binary format (the byte stream)\n", out);
  fputs("\t\t-P J: print graphs as JSON Lines, one object per graph\n", out);
  fputs("\t\t-P S: print graphs as SageMath StableGraph lines\n", out);
  fputs("\t\t-P D: print graphs as Graphviz graphs\n", out);
  fputs("\t\t-P C: print each graph's contractions (the poset of strata) as JSON Lines\n", out);
  fputs("\t\t-P H: print the Hasse diagram of the poset of strata for Graphviz\n", out);
  fprintf(out, "\t\t-P N: %s\n", none);
}

/// The -M lines both tools' help shares.
void print_moduli_types(FILE* out) {
  fputs("\t\t-M st: all stable graphs (default)\n", out);
  fputs("\t\t-M ct: compact type only (trees: no loops, no multiple edges)\n", out);
  fputs("\t\t-M rt: rational tails only (trees, one vertex of genus g, the others of genus 0)\n", out);
  fputs("\t\t-M tl: tree-like only (a tree once the loops are removed)\n", out);
  fputs("\t\t-M sm: the smooth locus only (one vertex, no loops)\n", out);
}

/// The --homology lines both tools' help shares.
void print_homology(FILE* out) {
  fputs("\t\t--homology: write the reduced rational homology of Delta_{g,n}/S_n (with -L also of\n", out);
  fputs("\t\t\tDelta_{g,n}) after the run: per degree k, dim C_k, rank d_k and dim H_k\n", out);
  fputs("\t\t--whole-complex: with --homology, from every cell, not relative to the contractible\n", out);
  fputs("\t\t\tsubcomplex of the graphs with a loop, a vertex of positive genus or two points on a vertex\n", out);
  fputs("\t\t--homology-export DIR: with --homology, write the bases (graph Ids) and the boundary\n", out);
  fputs("\t\t\tmatrices (MatrixMarket) into DIR, a new or empty directory\n", out);
}

void print_tool_help(FILE* out, const char* program) {
  fprintf(out,
          "Usage:\n\t%s [-P L|T|B|J|S|D|C|H|N] [-S F|T|N] [-C C] [-L] [-E] [-M st|ct|rt|tl|sm] [--boundary-complex]\n"
          "\t\t[--homology [--whole-complex] [--homology-export DIR]] [--search stored|orderly|pruned]\n"
          "\t\t[--checkpoint FILE [--checkpoint-interval SECONDS]] [--output FILE] genus [marked_points]\n"
          "\t%s --help | -h | --version\n",
          program, program);
  fputs("Enumerates the stable graphs of type (genus, marked_points), each once up to isomorphism.\n", out);
  print_formats(out, "do not print graphs");
  fputs("\t\t\n", out);
  fputs("\t\t-S F: print full statistics (default)\n", out);
  fputs("\t\t-S T: print terse statistics\n", out);
  fputs("\t\t-S N: don't print statistics\n", out);
  fputs("\t\t\n", out);
  fputs("\t\t-C C: print only graphs with C edges\n", out);
  fputs("\t\t-L: label the marked points 1 .. n: the boundary strata themselves\n", out);
  fputs("\t\t-E: check the graphs against the Euler characteristic of the moduli space (status 4 if not)\n", out);
  print_moduli_types(out);
  fputs("\t\t--boundary-complex: write the reduced Euler characteristic of the boundary complex\n", out);
  fputs("\t\t\tDelta_{g,n} and of its quotient by S_n after the run\n", out);
  print_homology(out);
  fputs("\t\t\n", out);
  fputs("\t\t--search stored|orderly|pruned: how repeated graphs are recognised; the same graphs in the\n", out);
  fputs("\t\t\tsame order either way (default: orderly, or pruned with -S N, which examines fewer\n", out);
  fputs("\t\t\tcandidates and so counts fewer in Tried and Duplicated)\n", out);
  fputs("\t\t\n", out);
  fputs("\t\t--checkpoint FILE: record the run in FILE; the same command resumes it from there\n", out);
  fputs("\t\t--checkpoint-interval SECONDS: record at most this long apart within a pass (default 60)\n", out);
  fputs("\t\t--output FILE: append the graphs to FILE instead of writing them to standard output\n", out);
  fputs("\t\t\n", out);
  fputs("\t\t--help, -h: print this help; --version: print the version\n", out);
}

void print_converter_help(FILE* out, const char* program) {
  fprintf(out,
          "Usage:\n\t%s [-P L|T|B|J|S|D|C|H|N] [-C C] [-E] [-M st|ct|rt|tl|sm] [--boundary-complex]\n"
          "\t\t[--homology [--whole-complex] [--homology-export DIR]] [stream [genus [marked_points]]]\n"
          "\t%s --help | -h | --version\n",
          program, program);
  fputs("Reads a byte stream of stable-graphs -P B and writes its graphs in another format.\n", out);
  print_formats(out, "do not print graphs (only check the stream)");
  fputs("\t\t\n", out);
  fputs("\t\t-C C: print only graphs with C edges\n", out);
  fputs("\t\t-E: check the graphs against the Euler characteristic of the moduli space (status 4 if not)\n", out);
  print_moduli_types(out);
  fputs("\t\t--boundary-complex: write the reduced Euler characteristic of the boundary complex\n", out);
  fputs("\t\t\tDelta_{g,n} and of its quotient by S_n after the run\n", out);
  print_homology(out);
  fputs("\t\t\n", out);
  fputs("\t\tstream: the byte stream of stable-graphs -P B to read (default, or -: standard input)\n", out);
  fputs("\t\tgenus marked_points: the type for the title of -P L and -P T when the stream holds no graph;\n", out);
  fputs("\t\t\tchecked against the graphs otherwise\n", out);
  fputs("\t\t\n", out);
  fputs("\t\t--help, -h: print this help; --version: print the version\n", out);
}

}  // namespace

void PrintUsage(FILE* out, Tool tool, const char* program) {
  if (tool == Tool::kConvert)
    print_converter_usage(out, program);
  else
    print_tool_usage(out, program);
  // The usage keeps the options it has always shown; the help has them all.
  fprintf(out, "Try '%s --help' for every option.\n", program);
}

void PrintHelp(FILE* out, Tool tool, const char* program) {
  if (tool == Tool::kConvert)
    print_converter_help(out, program);
  else
    print_tool_help(out, program);
}

void PrintCompilationFlags() {
  static char r[] = "$Rev: 27 $";
  fputs("Compilation flags: ", stderr);
  // The number sits between "$Rev: " and the closing " $".
  fprintf(stderr, "R=%.*s ", static_cast<int>(strlen(r)) - 8, r + 6);
  fputs("USE_NAUTY ", stderr);
  fputs("\n", stderr);
}

const char* ProgramName(const char* argv0, Tool tool) {
  if (argv0 != nullptr && argv0[0] != '\0') return argv0;
  return tool == Tool::kConvert ? "stable-graphs-convert" : "stable-graphs";
}

