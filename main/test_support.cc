// Copyright 2026 The stable-graphs Authors.
//
// Expected texts and stream helpers shared by the tests.  The texts are
// written out here by hand, apart from the code that writes them, so that
// a test compares the program with what the tool is meant to write.
#include "main/test_support.h"

#include <stdlib.h>

#include <fstream>
#include <sstream>

std::string CaptureOutput(const std::function<void(FILE*)>& write) {
  char* buffer = nullptr;
  size_t size = 0;
  FILE* stream = open_memstream(&buffer, &size);
  write(stream);
  fclose(stream);
  std::string text(buffer, size);
  free(buffer);
  return text;
}

FILE* StreamOfBytes(const std::vector<int>& bytes) {
  FILE* stream = tmpfile();
  for (int byte : bytes) fputc(byte, stream);
  rewind(stream);
  return stream;
}

std::vector<StreamCase> ReadStreamCases(const std::string& path) {
  std::vector<StreamCase> cases;
  std::ifstream table(path);
  std::string line;
  while (std::getline(table, line)) {
    size_t bar = line.find(" | ");
    if (line.empty() || line[0] == '#' || bar == std::string::npos) continue;
    StreamCase c;
    c.line = line;
    std::istringstream hex(line.substr(0, bar));
    for (unsigned byte; hex >> std::hex >> byte;) c.bytes += static_cast<char>(byte);
    std::string outcome = line.substr(bar + 3);
    if (outcome.rfind("graphs ", 0) == 0) c.graphs = atoi(outcome.c_str() + 7);
    else if (outcome.rfind("error ", 0) == 0) c.error = outcome.substr(6);
    cases.push_back(c);
  }
  return cases;
}

std::string UsageText(const std::string& program) {
  return "Usage:\n\t" + program + " [-P L|T|B|N] [-S F|T|N] [-C C] [-L] genus [marked_points]\n" +
         "\t\t-P L: print graphs in LaTeX (default)\n"
         "\t\t-P T: print graphs in text format\n"
         "\t\t-P B: print graphs in binary format\n"
         "\t\t-P N: do not print graphs\n"
         "\t\t\n"
         "\t\t-S F: print full statistics (default)\n"
         "\t\t-S T: print terse statistics\n"
         "\t\t-S N: don't print statistics\n"
         "\t\t\n"
         "\t\t-C C: print only graphs with C edges\n"
         "\t\t\n"
         "\t\t-L: label the marked points 1 .. n\n";
}

std::string LaTeXPreamble(int g, int n) {
  return "\\documentclass{article}\n\n"
         "\\usepackage{tikz}\n\\usepackage{booktabs}\n\\usepackage{longtable}\n\\usepackage{geometry}\n"
         "\\usetikzlibrary{trees}\n\n"
         "\\tikzstyle{every picture}=[scale=.5,inner sep=10]\n"
         "\\tikzstyle{every node}=[draw,circle,inner sep=1]\n\n"
         "\\title{Strata of $\\overline{\\mathcal{M}}_{" +
         std::to_string(g) + "," + std::to_string(n) +
         "}$}\n"
         "\\author{vemlio}\n\\date{\\today}\n\n"
         "\\begin{document}\n\\maketitle\n\n"
         "Legend: Id = (components, codimension, unique id); G = Graph.\n\n"
         "  \\begin{longtable}{c@{}c|c@{}c|c@{}c|c@{}c}\n"
         "    \\toprule\n"
         "    Id & G &\n    Id & G &\n    Id & G &\n    Id & G \\\\\n"
         "    \\midrule\n    \\endhead\n\n"
         "    \\bottomrule\n    \\endfoot\n\n";
}

const char kLaTeXEnd[] = "  \\end{longtable}\n\\end{document}\n";
