// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
//
// stable-graphs: enumerates the stable graphs of type (g, n) and writes them
// to standard output, with search statistics on standard error.
#include <errno.h>
#include <stdio.h>
#include <string.h>

#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "checkpoint/checkpoint_file.h"
#include "checkpoint/checkpoint_options.h"
#include "computer/boundary_computer.h"
#include "euler/euler_check.h"
#include "euler/euler_check_printer.h"
#include "graph/printable_text.h"
#include "labelled/labelling_printer.h"
#include "main/checked_printer.h"
#include "main/command_line.h"
#include "main/output_error.h"
#include "printers/binary_graph_printer.h"
#include "printers/dot_graph_printer.h"
#include "printers/json_graph_printer.h"
#include "printers/latex_graph_printer.h"
#include "printers/null_graph_printer.h"
#include "printers/sage_graph_printer.h"
#include "printers/text_graph_printer.h"

namespace {

/// The printer the command line asked for, writing to standard output.
std::unique_ptr<GraphPrinter> make_printer(Printer choice, int genus, int marked_points, bool labelled) {
  switch (choice) {
    case PrinterLaTeX: return std::make_unique<LaTeXGraphPrinter>(stdout, genus, marked_points);
    case PrinterText: return std::make_unique<TextGraphPrinter>(stdout, genus, marked_points);
    case PrinterBinary: {
      auto binary = std::make_unique<BinaryGraphPrinter>(stdout, genus, marked_points);
      binary->labelled = labelled;
      return binary;
    }
    case PrinterJson: return std::make_unique<JsonGraphPrinter>(stdout);
    case PrinterSage: return std::make_unique<SageGraphPrinter>(stdout);
    case PrinterDot: return std::make_unique<DotGraphPrinter>(stdout);
    case PrinterNone: break;
  }
  return std::make_unique<NullGraphPrinter>();
}

}  // namespace

// The MPI front end builds this file with STABLE_GRAPHS_MAIN set to the
// name under which it calls it on rank 0.
#ifndef STABLE_GRAPHS_MAIN
#define STABLE_GRAPHS_MAIN main
#endif

int STABLE_GRAPHS_MAIN(int argc, char** argv) {
  int genus, marked_points, edge_filter;
  Printer printer_choice;
  Statistics statistics;
  TypedNumbers typed;
  // The checkpoint options come out first; the rest is the command line
  // as before, and what a checkpoint records as its run's arguments.  Both
  // are static: a bad command line ends the process by exit, which frees
  // static objects but not those of this frame.
  static std::vector<char*> args;
  args.assign(argv, argv + (argc > 0 ? argc : 0));
  static CheckpointOptions checkpoint_options;
  std::string bad_option = TakeCheckpointOptions(args, checkpoint_options);
  if (!bad_option.empty()) QuitWithUsage(argv[0], "%s", bad_option.c_str());
  int arg_count = static_cast<int>(args.size());
  args.push_back(nullptr);
  bool labelled, euler_check;
  ParseCommandLine(arg_count, args.data(), genus, marked_points, edge_filter, printer_choice, statistics, &typed,
                   &labelled, &euler_check);
  const char* program = ProgramName(argc > 0 ? argv[0] : nullptr);
  std::string problem = CapacityProblem(genus, marked_points, typed.genus, typed.marked_points);
  if (!problem.empty()) {
    fprintf(stderr, "%s: %s\n", program, problem.c_str());
    return 1;
  }
  if (!checkpoint_options.output.empty() && freopen(checkpoint_options.output.c_str(), "ab", stdout) == nullptr) {
    fprintf(stderr, "%s: cannot open %s for appending: %s\n", program,
            PrintableText(checkpoint_options.output).c_str(), strerror(errno));
    return 1;
  }
  std::unique_ptr<CheckpointFile> checkpoint;
  if (!checkpoint_options.path.empty()) {
    checkpoint = std::make_unique<CheckpointFile>(checkpoint_options.path,
                                                  std::vector<std::string>(args.begin() + 1, args.end() - 1),
                                                  checkpoint_options.interval_seconds, stdout);
    std::string refusal = checkpoint->Open();
    if (!refusal.empty()) {
      fprintf(stderr, "%s: %s\n", program, refusal.c_str());
      return 1;
    }
  }
  try {
    BoundaryComputer computer(genus, marked_points);
    computer.count_labelled = labelled;
    if (checkpoint) {
      computer.journal = checkpoint.get();
      computer.resume = checkpoint->resume();
    }
    std::unique_ptr<GraphPrinter> printer = make_printer(printer_choice, genus, marked_points, labelled);
    // Both streams carry results (the graphs, the counts), so losing either
    // makes the run a failure.
    CheckedPrinter checked(*printer);
    checked.Watch(stdout, "standard output");
    checked.Watch(stderr, "standard error");
    // Labelled graphs are made from the search's graphs as they are
    // printed; a run that prints nothing only counts them.
    bool expand = labelled && printer_choice != PrinterNone;
    // The check takes the graphs the printer gets: the labelled ones when
    // they are made, else the search's, each standing for its labelled
    // graphs when they are only counted.
    std::unique_ptr<EulerCheckPrinter> euler;
    if (euler_check) {
      euler = std::make_unique<EulerCheckPrinter>(checked, computer.threads);
      euler->count_labelled_graphs = labelled && !expand;
    }
    GraphPrinter& printed = euler ? static_cast<GraphPrinter&>(*euler) : checked;
    LabellingPrinter labelling(printed);
    GraphPrinter& first = expand ? static_cast<GraphPrinter&>(labelling) : printed;
    // The recorded state is checked in full, against this printer, before
    // anything is written or cut.
    if (checkpoint) {
      std::string refusal = checkpoint->StateRefusal(computer.ResumeProblem(first, edge_filter));
      if (refusal.empty()) refusal = checkpoint->PrepareOutput();
      if (!refusal.empty()) {
        fprintf(stderr, "%s: %s\n", program, refusal.c_str());
        return 1;
      }
    }
    PrintCompilationFlags();
    checked.Check();  // the banner
    computer.Compute(first, statistics, edge_filter);
    checked.Check();  // the report, and all output of a type without graphs
    // Standard output stays empty for such a type; say why, so that an
    // empty document is not taken for a result.
    std::string unstable = NoStableGraphs(genus, marked_points);
    if (!unstable.empty()) {
      fprintf(stderr, "%s: %s\n", program, unstable.c_str());
      checked.Check();
    }
    if (euler) {
      bool agree =
          WriteEulerCheck(stderr, genus, marked_points, edge_filter, euler->Sums().ByCodimension(), labelled);
      checked.Check();
      if (!agree) return kEulerDisagreementStatus;
    }
  } catch (const OutputError& error) {
    fprintf(stderr, "%s: %s\n", program, error.what());
    return 2;
  } catch (const std::exception& error) {
    fflush(stdout);
    fprintf(stderr, "%s: internal error: %s\n", program, error.what());
    return 3;
  }
  return 0;
}
