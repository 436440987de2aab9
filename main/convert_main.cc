// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
//
// stable-graphs-convert: reads a byte stream written by stable-graphs -P B
// and writes its graphs as LaTeX, text, a byte stream, JSON Lines or
// SageMath lines.
#include <stdio.h>

#include <memory>
#include <string>

#include "computer/parallel_runner.h"
#include "euler/euler_check.h"
#include "euler/euler_check_printer.h"
#include "graph/type_capacity.h"
#include "main/checked_printer.h"
#include "main/command_line.h"
#include "main/convert_command_line.h"
#include "main/output_error.h"
#include "main/standard_output.h"
#include "main/stream_converter.h"
#include "main/version.h"
#include "poset/boundary_complex_printer.h"
#include "poset/contraction_printer.h"
#include "poset/hasse_diagram_printer.h"
#include "printers/binary_graph_printer.h"
#include "printers/binary_graph_reader.h"
#include "printers/dot_graph_printer.h"
#include "printers/json_graph_printer.h"
#include "printers/latex_graph_printer.h"
#include "printers/null_graph_printer.h"
#include "printers/sage_graph_printer.h"
#include "printers/text_graph_printer.h"

namespace {

/// The printer the command line asked for, writing to standard output; a
/// byte stream stays labelled if the one read is.
std::unique_ptr<GraphPrinter> make_printer(ConvertFormat format, int g, int n, bool labelled, int edge_filter) {
  switch (format) {
    case ConvertLaTeX: return std::make_unique<LaTeXGraphPrinter>(stdout, g, n);
    case ConvertText: return std::make_unique<TextGraphPrinter>(stdout, g, n);
    case ConvertBinary: {
      auto binary = std::make_unique<BinaryGraphPrinter>(stdout, g, n);
      binary->labelled = labelled;
      return binary;
    }
    case ConvertJson: return std::make_unique<JsonGraphPrinter>(stdout);
    case ConvertSage: return std::make_unique<SageGraphPrinter>(stdout);
    case ConvertDot: return std::make_unique<DotGraphPrinter>(stdout);
    case ConvertContractions: return std::make_unique<ContractionPrinter>(stdout, edge_filter);
    case ConvertHasse: return std::make_unique<HasseDiagramPrinter>(stdout, g, n, edge_filter);
    case ConvertNone: break;
  }
  return std::make_unique<NullGraphPrinter>();
}

/// The reader of the stream the command line names, standard input for "-".
std::unique_ptr<BinaryGraphReader> make_reader(const std::string& stream) {
  if (stream == "-") return std::make_unique<BinaryGraphReader>(stdin);
  return std::make_unique<BinaryGraphReader>(stream.c_str());
}

/// Why a type given on the command line cannot be converted: one that
/// stable-graphs refuses, or one without stable graphs, for which it writes
/// no stream at all.
std::string given_type_problem(const ConvertSettings& settings) {
  if (!settings.type_given) return "";
  std::string problem =
      CapacityProblem(settings.genus, settings.marked_points, settings.genus_text, settings.marked_points_text);
  if (!problem.empty()) return problem;
  problem = NoStableGraphs(settings.genus, settings.marked_points);
  if (!problem.empty()) return problem + ", and stable-graphs writes no stream for it";
  return "";
}

}  // namespace

int main(int argc, char** argv) {
  const char* program = ProgramName(argv[0], "stable-graphs-convert");
  ConvertSettings settings;
  std::string reason;
  if (!ParseConvertCommandLine(argc, argv, settings, &reason)) {
    MakeOneLine(&reason[0]);
    if (!reason.empty()) fprintf(stderr, "%s: %s\n", program, reason.c_str());
    PrintConvertUsage(stderr, program);
    return 1;
  }
  std::string refused = given_type_problem(settings);
  if (!refused.empty()) {
    fprintf(stderr, "%s: %s\n", program, refused.c_str());
    return 1;
  }
  if (settings.help || settings.version) {
    if (settings.help) PrintConvertUsage(stdout, argv[0]);
    else PrintVersion(stdout, "stable-graphs-convert");
    return FlushStandardOutput(argv[0]) ? 0 : 2;
  }
  std::unique_ptr<BinaryGraphReader> reader = make_reader(settings.stream);
  StreamConverter converter(*reader);
  try {
    converter.Start();
  } catch (const BinaryStreamError& error) {
    fprintf(stderr, "%s: %s\n", program, error.what());
    return 1;
  }
  bool title_needed = settings.format == ConvertLaTeX || settings.format == ConvertText;
  std::string problem =
      converter.SettleType(settings.type_given, settings.genus, settings.marked_points, title_needed);
  if (!problem.empty()) {
    fprintf(stderr, "%s: %s\n", program, problem.c_str());
    return 1;
  }
  if (settings.boundary_complex && settings.edge_filter != -1) {
    fprintf(stderr, "%s: --boundary-complex needs every graph, so it cannot be combined with -C\n", program);
    return 1;
  }
  if (settings.boundary_complex && !converter.has_graphs && !settings.type_given) {
    fprintf(stderr, "%s: --boundary-complex: the stream holds no graph, so it does not tell the type: "
                    "give genus [marked_points] after the stream\n", program);
    return 1;
  }
  if (settings.euler_check && !converter.has_graphs && !settings.type_given) {
    fprintf(stderr, "%s: -E: the stream holds no graph, so it does not tell the type to check: "
                    "give genus [marked_points] after the stream\n", program);
    return 1;
  }
  std::unique_ptr<GraphPrinter> printer =
      make_printer(settings.format, converter.g, converter.n, reader->labelled(), settings.edge_filter);
  // The poset printers take every graph: those of codimension c - 1 are
  // the targets of the contractions of those of codimension c.
  PosetPrinter* poset = dynamic_cast<PosetPrinter*>(printer.get());
  std::unique_ptr<EulerCheckPrinter> euler;
  if (settings.euler_check) euler = std::make_unique<EulerCheckPrinter>(*printer, UsableCpuCount());
  // Standard output is checked after every batch, so that a conversion
  // whose output is being lost stops there instead of reading on.
  CheckedPrinter checked(euler ? static_cast<GraphPrinter&>(*euler) : *printer);
  checked.Watch(stdout, "standard output");
  BoundaryComplexPrinter complex(checked);
  try {
    converter.Replay(settings.boundary_complex ? static_cast<GraphPrinter&>(complex) : checked,
                     poset ? -1 : settings.edge_filter);
  } catch (const OutputError& error) {
    fprintf(stderr, "%s: %s\n", program, error.what());
    return 2;
  } catch (const BinaryStreamError& error) {
    // Graphs are written as they are read, so damage further on leaves
    // the output incomplete: say so.
    FlushStandardOutput(program);
    fprintf(stderr, "%s: %s; the output written before it is incomplete\n", program, error.what());
    return 1;
  }
  if (!FlushStandardOutput(program)) return 2;
  if (settings.boundary_complex) WriteBoundaryComplex(stderr, converter.g, converter.n, complex.Sums());
  bool complete = true;
  if (poset && !poset->Problem().empty()) {
    fprintf(stderr, "%s: %s\n", program, poset->Problem().c_str());
    complete = false;
  }
  if (euler) {
    bool agree =
        WriteEulerCheck(stderr, converter.g, converter.n, settings.edge_filter, euler->Sums().ByCodimension(),
                        reader->labelled());
    if (fflush(stderr) != 0 || ferror(stderr)) return 2;
    if (!agree) return kEulerDisagreementStatus;
  }
  if ((settings.boundary_complex || !complete) && (fflush(stderr) != 0 || ferror(stderr))) return 2;
  if (!complete) return kEulerDisagreementStatus;
  return 0;
}
