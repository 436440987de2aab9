// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
//
// The run of either tool, from parsed options to exit status.  The
// enumerating tool: open the output and the checkpoint, write the banner,
// build the printer chain, compute, report, check.  The converter: open
// the stream, settle its type, build the same chain, replay, check.
#include "main/run.h"

#include <errno.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

#include <exception>
#include <memory>
#include <optional>
#include <string>

#include "checkpoint/checkpoint_file.h"
#include "checkpoint/stop_signals.h"
#include "computer/boundary_computer.h"
#include "computer/parallel_runner.h"
#include "euler/euler_check.h"
#include "graph/printable_text.h"
#include "graph/type_capacity.h"
#include "homology/boundary_homology.h"
#include "homology/complex_export.h"
#include "homology/homology_report.h"
#include "main/exit_status.h"
#include "main/large_run_warning.h"
#include "main/options_parser.h"
#include "main/output_file.h"
#include "main/printer_chain.h"
#include "main/standard_output.h"
#include "main/usage.h"
#include "main/version.h"
#include "poset/boundary_complex.h"
#include "poset/target_enumeration.h"
#include "printers/output_error.h"
#include "stream/binary_graph_reader.h"
#include "stream/stream_converter.h"
#include "stream/stream_error.h"

namespace {

/// Writes "program: message" as one line on standard error.
void complain(const char* program, const std::string& message) {
  fprintf(stderr, "%s: %s\n", program, message.c_str());
}

/// Documents of more graphs than this make pdflatex crawl or run out of
/// memory.
constexpr uint64_t kGraphsPdflatexStrugglesWith = 2000;

/// Warns, on standard error only, of a LaTeX document too large for
/// pdflatex to handle well.
void note_large_document(const Options& options, const char* program, const mpz_class& graphs) {
  if (options.format != Format::kLaTeX || graphs < kGraphsPdflatexStrugglesWith) return;
  complain(program, "note: the LaTeX document holds " + graphs.get_str() +
                        " graphs, more than pdflatex handles well; -P B with stable-graphs-convert -C "
                        "writes it in parts");
}

/// The graphs a run's document holds: those found, or their labelled
/// graphs, over the whole run (a resumed one included).
mpz_class document_graphs(const BoundaryComputer& computer, bool labelled) {
  mpz_class total = 0;
  if (labelled) {
    for (const mpz_class& count : computer.counters().labelled_found) total += count;
  } else {
    for (int64_t count : computer.counters().found) total += static_cast<long>(count);
  }
  return total;
}

/// Answers --help or --version on standard output; an answer asked for but
/// lost (a full disk, a closed pipe) is a failure.
int answer(const Options& options, const char* program) {
  if (options.request == Request::kHelp)
    PrintHelp(stdout, options.tool, program);
  else
    PrintVersion(stdout, options.tool == Tool::kConvert ? "stable-graphs-convert" : "stable-graphs");
  return FlushStandardOutput(program) ? kExitSuccess : kExitOutputLost;
}

/// Why --homology and its modifiers cannot go with the other options, or
/// "": the homology needs every graph of the whole moduli space once, and
/// its cells in memory.  Both tools.
std::string homology_conflict(const Options& options) {
  if (!options.homology) {
    if (options.whole_complex) return "--whole-complex goes with --homology";
    if (!options.homology_export.empty()) return "--homology-export goes with --homology";
    return "";
  }
  if (options.edge_filter) return "--homology needs every graph, so it cannot be combined with -C";
  if (options.moduli != ModuliType::kStable)
    return std::string("--homology is that of the whole boundary complex, so it cannot be combined with -M ") +
           ModuliTypeName(options.moduli);
  if (!options.checkpoint.path.empty())
    return "--homology keeps the cells in memory and cannot be resumed: drop --checkpoint";
  if (!options.homology_export.empty()) {
    std::string problem = ExportDirectoryProblem(options.homology_export);
    if (!problem.empty()) return "--homology-export: " + PrintableText(problem);
  }
  return "";
}

/// What the homology printer of a run of (g, n) collects.
HomologyPrinterSettings homology_settings(const Options& options, int g, int n, bool labelled_graphs, int threads) {
  HomologyPrinterSettings settings;
  settings.g = g;
  settings.n = n;
  settings.labelled_graphs = labelled_graphs;
  settings.labelled_complex = options.labelled || labelled_graphs;
  // Every theorem behind the relative chains needs g >= 1.
  settings.relative_to = options.whole_complex || g == 0 ? Subcomplex::kNone : Subcomplex::kLoopsGenusOrSharedPoints;
  settings.ids = !options.homology_export.empty();
  settings.threads = threads;
  return settings;
}

/// Computes, writes (and exports) the homology of one complex; false when
/// the chains' Euler characteristic disagrees with the graphs'.
bool write_complex_homology(const Options& options, const CellComplex& complex, const mpz_class& euler,
                            const char* prefix) {
  std::unique_ptr<ComplexExport> exporter;
  if (!options.homology_export.empty())
    exporter = std::make_unique<ComplexExport>(options.homology_export, prefix, complex);
  std::vector<HomologyDegree> degrees = ComputeHomology(complex, exporter.get());
  return WriteHomology(stderr, complex.settings(), degrees, euler);
}

/// Writes the homology of the complexes a run's graphs made, after the
/// run; false when an Euler characteristic disagrees.
bool write_homology(const Options& options, int g, int n, PrinterChain& chain) {
  HomologyPrinter* printer = chain.homology();
  if (printer == nullptr || !NoStableGraphs(g, n).empty()) return true;
  if (!options.homology_export.empty()) MakeExportDirectory(options.homology_export);
  bool agree = write_complex_homology(options, printer->Quotient(), printer->Sums().Quotient(), "quotient");
  if (printer->Labelled() != nullptr)
    agree = write_complex_homology(options, *printer->Labelled(), printer->Sums().Labelled(), "labelled") && agree;
  return agree;
}

/// Why --boundary-complex cannot go with the other options, or "": its
/// sums are those of the whole boundary complex, over every stable graph.
std::string boundary_complex_conflict(const Options& options) {
  if (!options.boundary_complex) return "";
  if (options.edge_filter) return "--boundary-complex needs every graph, so it cannot be combined with -C";
  if (options.moduli != ModuliType::kStable)
    return std::string("--boundary-complex needs every stable graph, so it cannot be combined with -M ") +
           ModuliTypeName(options.moduli);
  return "";
}

/// Why options that cannot go together are refused, or "".
std::string conflicting_options(const Options& options) {
  if (IsPosetFormat(options.format) && !options.checkpoint.path.empty())
    return std::string("-P ") + (options.format == Format::kContractions ? 'C' : 'H') +
           " keeps the graphs in memory and cannot be resumed: drop --checkpoint";
  std::string conflict = boundary_complex_conflict(options);
  if (!conflict.empty()) return conflict;
  return homology_conflict(options);
}

/// Why the graphs a chain received are not every stable graph of type
/// (g, n) when the chain checks that (a stream), or "".
std::string incompleteness(int g, int n, bool labelled, PrinterChain& chain) {
  std::string problem = chain.poset() != nullptr ? chain.poset()->Problem() : "";
  if (problem.empty() && chain.contraction_check() != nullptr) problem = chain.contraction_check()->Problem();
  if (problem.empty() && chain.checks_completeness() &&
      !WriteEulerCheck(nullptr, g, n, std::nullopt, chain.euler()->Sums().ByCodimension(), labelled))
    problem = "the Euler characteristic sums of its graphs disagree with the series";
  return problem;
}

/// Writes the boundary complex line and the poset's completeness problem,
/// after the run; false when the graphs are incomplete.  The line is
/// withheld when a stream's graphs are found incomplete: it would not be
/// that of the whole complex.
bool write_poset_checks(const char* program, int g, int n, bool labelled, PrinterChain& chain) {
  std::string problem = incompleteness(g, n, labelled, chain);
  bool checked_stream = chain.checks_completeness();
  if (chain.boundary_complex() != nullptr && NoStableGraphs(g, n).empty() && (problem.empty() || !checked_stream))
    WriteBoundaryComplex(stderr, g, n, chain.boundary_complex()->Sums());
  if (problem.empty()) return true;
  if (chain.poset() != nullptr && !chain.poset()->Problem().empty()) complain(program, chain.poset()->Problem());
  if (chain.boundary_complex() != nullptr && checked_stream)
    complain(program, "--boundary-complex: the stream does not hold every stable graph of type (" +
                          std::to_string(g) + ", " + std::to_string(n) + ") (" + problem +
                          "; a stream written with -C or -M, or with graphs missing): Delta_{" + std::to_string(g) +
                          "," + std::to_string(n) + "} is not written");
  return false;
}

/// Opens the --output file when it exists (a new one is made later, once
/// the run is sure to start) and the checkpoint, whose state is checked in
/// full once the printers are built; "" or why the run may not start.
/// Changes nothing on disk when it refuses.
std::string open_files(const Options& options, const RunPlace& place, std::unique_ptr<OutputFile>* output,
                       std::unique_ptr<CheckpointFile>* checkpoint) {
  const CheckpointOptions& files = options.checkpoint;
  // Under MPI the launcher pipes rank 0's standard output: a resumed run
  // could not cut it back to what the checkpoint recorded.
  if (place.distributed && !files.path.empty() && files.output.empty())
    return "--checkpoint needs --output FILE under MPI: the launcher passes standard output through a pipe, "
           "which a resumed run cannot cut back";
  if (!files.output.empty()) {
    *output = std::make_unique<OutputFile>(files.output);
    std::string problem = (*output)->OpenExisting();
    if (!problem.empty()) return problem;
  }
  if (files.path.empty()) return "";
  *checkpoint = std::make_unique<CheckpointFile>(files.path, options.run_arguments, files.interval_seconds, stdout);
  return (*checkpoint)->Open(*output != nullptr && (*output)->pending() ? files.output : "");
}

/// Makes a new --output file, once nothing else can refuse the run, and
/// hands it to the checkpoint; cuts a resumed run's output back.  "" or
/// why the run may not start, having removed the file it made.
std::string prepare_output(OutputFile* output, CheckpointFile* checkpoint) {
  if (output != nullptr && output->pending()) {
    std::string problem = output->Create();
    if (problem.empty() && checkpoint != nullptr) problem = checkpoint->AttachOutput();
    if (!problem.empty()) {
      output->Discard();
      return problem;
    }
  }
  return checkpoint != nullptr ? checkpoint->PrepareOutput() : "";
}

/// How the run's search goes: the options, where its tasks run and its
/// checkpoint.
SearchSettings search_settings(const Options& options, const RunPlace& place, CheckpointFile* checkpoint) {
  SearchSettings settings;
  if (place.threads > 0) settings.threads = place.threads;
  settings.runner = place.runner;
  settings.count_labelled = options.labelled;
  settings.moduli_type = options.moduli;
  settings.search = options.search;
  settings.codimension = options.edge_filter;
  // The cells of the homology have no parallel edges; when nothing else
  // needs the other graphs, the search leaves them out.
  if (options.homology && options.format == Format::kNone && !options.euler_check &&
      options.homology_export.empty()) {
    settings.bounds.max_multiplicity = 1;
    settings.bounds.max_loops = 1;
  }
  if (checkpoint != nullptr) {
    settings.journal = checkpoint;
    settings.resume = checkpoint->resume();
  }
  return settings;
}

/// The tool's sinks: graphs on standard output, the lines of the passes,
/// the report and the progress on standard error, the progress live only
/// where a terminal shows it.
RunContext run_context() {
  RunContext context;
  context.output = stdout;
  context.report = stderr;
  context.progress = stderr;
  context.interactive = isatty(fileno(stderr)) != 0;
  return context;
}

/// The enumeration of one type, once its files are open.
int enumerate(const Options& options, const char* program, const RunPlace& place, OutputFile* output,
              CheckpointFile* checkpoint) {
  const int g = options.genus, n = options.marked_points;
  BoundaryComputer computer(g, n, search_settings(options, place, checkpoint), run_context());
  // Labelled graphs are made from the search's graphs as they are
  // printed; a run that prints nothing only counts them.
  bool expand = options.labelled && options.format != Format::kNone;
  PrinterChainSetup setup;
  setup.format = options.format;
  setup.g = g;
  setup.n = n;
  setup.labelled = options.labelled;
  setup.expand_labels = expand;
  setup.euler_check = options.euler_check;
  setup.euler_counts_labelled = options.labelled && !expand;
  setup.boundary_complex = options.boundary_complex;
  if (options.homology) setup.homology = homology_settings(options, g, n, false, computer.threads());
  setup.edge_filter = options.edge_filter;
  setup.threads = computer.threads();
  setup.output = stdout;
  // Both streams carry results (the graphs, the counts), so losing either
  // makes the run a failure.
  setup.watched = {{stdout, "standard output"}, {stderr, "standard error"}};
  PrinterChain chain(setup);
  // The recorded state is checked in full, against these printers, before
  // anything is made, written or cut.
  std::string refusal =
      checkpoint != nullptr ? checkpoint->StateRefusal(computer.ResumeProblem(chain.resumable())) : "";
  if (refusal.empty()) refusal = prepare_output(output, checkpoint);
  if (!refusal.empty()) {
    complain(program, refusal);
    return kExitBadInput;
  }
  // Interrupted, a checkpointed run records where it is and stops there.
  if (checkpoint != nullptr) CatchStopSignals();
  std::string warning = LargeRunWarning(options);
  if (!warning.empty()) complain(program, warning);
  PrintCompilationFlags();
  chain.checked().Check();  // the banner
  // The poset names the targets of its contractions, one codimension
  // below those it prints, by the Ids a run of that codimension gives.
  if (chain.poset() != nullptr) EnumerateTargets(*chain.poset(), g, n, options.labelled);
  computer.Compute(chain.head(), chain.resumable(), options.statistics);
  chain.checked().Check();  // the report, and all output of a type without graphs
  // Standard output stays empty for such a type; say why, so that an
  // empty document is not taken for a result.
  std::string unstable = NoStableGraphs(g, n);
  if (!unstable.empty()) {
    complain(program, unstable);
    chain.checked().Check();
  }
  note_large_document(options, program, document_graphs(computer, options.labelled));
  bool complete = write_poset_checks(program, g, n, options.labelled, chain);
  chain.checked().Check();
  bool agree = write_homology(options, g, n, chain);
  chain.checked().Check();
  if (chain.euler() != nullptr) {
    agree = WriteEulerCheck(stderr, g, n, options.edge_filter, chain.euler()->Sums().ByCodimension(),
                            options.labelled, options.moduli) && agree;
    chain.checked().Check();
  }
  return agree && complete ? kExitSuccess : kExitEulerDisagreement;
}

/// The edge filter, when one is given.
std::optional<long long> edges_of(const Options& options) {
  if (!options.edge_filter) return std::nullopt;
  return *options.edge_filter;
}

int run_enumeration(const Options& options, const char* program, const RunPlace& place) {
  std::string problem = options.number_refusal;
  if (problem.empty()) problem = CapacityProblem(options.genus, options.marked_points, edges_of(options));
  if (!problem.empty()) {
    complain(program, problem);
    return kExitBadInput;
  }
  std::string conflict = conflicting_options(options);
  if (!conflict.empty()) {
    complain(program, conflict);
    return kExitBadInput;
  }
  std::unique_ptr<OutputFile> output;
  std::unique_ptr<CheckpointFile> checkpoint;
  std::string refusal = open_files(options, place, &output, &checkpoint);
  if (!refusal.empty()) {
    complain(program, refusal);
    return kExitBadInput;
  }
  try {
    return enumerate(options, program, place, output.get(), checkpoint.get());
  } catch (const RunInterrupted&) {
    // The state is recorded and the output flushed; the caller ends the
    // process by the signal once the files are closed.
    return 128 + CaughtStopSignal();
  } catch (const OutputError& error) {
    complain(program, error.what());
    return kExitOutputLost;
  } catch (const ExportError& error) {
    complain(program, error.what());
    return kExitOutputLost;
  } catch (const std::exception& error) {
    fflush(stdout);
    complain(program, std::string("internal error: ") + error.what());
    return kExitInternalError;
  }
}

/// Why a type given to the converter cannot be converted: one that
/// stable-graphs refuses, or one without stable graphs, for which it writes
/// no stream at all.
std::string given_type_problem(const Options& options) {
  if (!options.number_refusal.empty()) return options.number_refusal;
  if (!options.type_given) return "";
  std::string problem = CapacityProblem(options.genus, options.marked_points, edges_of(options));
  if (!problem.empty()) return problem;
  problem = NoStableGraphs(options.genus, options.marked_points);
  if (!problem.empty()) return problem + ", and stable-graphs writes no stream for it";
  return "";
}

/// The reader of the stream the command line names, standard input for "-".
std::unique_ptr<BinaryGraphReader> make_reader(const std::string& stream) {
  if (stream == "-") return std::make_unique<BinaryGraphReader>(stdin);
  return std::make_unique<BinaryGraphReader>(stream.c_str());
}

/// Replays a stream whose type is settled through the printer chain.
int replay(const Options& options, const char* program, StreamConverter& converter, bool labelled) {
  PrinterChainSetup setup;
  setup.format = options.format;
  setup.g = converter.g;
  setup.n = converter.n;
  setup.labelled = labelled;
  setup.euler_check = options.euler_check;
  setup.boundary_complex = options.boundary_complex;
  if (options.homology)
    setup.homology = homology_settings(options, converter.g, converter.n, labelled, UsableCpuCount());
  // A stream need not hold every graph of its type, which the sums and
  // the homology need.
  setup.completeness_check = options.boundary_complex || options.homology;
  setup.edge_filter = options.edge_filter;
  setup.threads = UsableCpuCount();
  setup.output = stdout;
  // Standard output is checked after every batch, so that a conversion
  // whose output is being lost stops there instead of reading on.
  setup.watched = {{stdout, "standard output"}};
  PrinterChain chain(setup);
  try {
    // The poset printers take every graph: those of codimension c - 1 are
    // the targets of the contractions of those of codimension c.
    converter.Replay(chain.head(), chain.poset() != nullptr ? std::nullopt : options.edge_filter);
  } catch (const OutputError& error) {
    complain(program, error.what());
    return kExitOutputLost;
  } catch (const BinaryStreamError& error) {
    // Graphs are written as they are read, so damage further on leaves
    // the output incomplete: say so.
    FlushStandardOutput(program);
    complain(program, std::string(error.what()) + "; the output written before it is incomplete");
    return kExitBadInput;
  }
  if (!FlushStandardOutput(program)) return kExitOutputLost;
  note_large_document(options, program, static_cast<unsigned long>(chain.checked().graphs()));
  // The homology of a stream that lacks graphs would be that of another
  // complex, or fail on a missing face: checked first, refused as input.
  std::string missing = options.homology ? incompleteness(converter.g, converter.n, labelled, chain) : "";
  bool complete = write_poset_checks(program, converter.g, converter.n, labelled, chain);
  if (!missing.empty()) {
    complain(program, "--homology: the stream does not hold every stable graph of type (" +
                          std::to_string(converter.g) + ", " + std::to_string(converter.n) + ") (" + missing +
                          "; a stream written with -C or -M, or with graphs missing): its homology is not computed");
    return kExitBadInput;
  }
  bool agree = true;
  try {
    agree = write_homology(options, converter.g, converter.n, chain);
  } catch (const ExportError& error) {
    complain(program, error.what());
    return kExitOutputLost;
  } catch (const std::logic_error& error) {
    // A face of a cell that is not in the stream: graphs are missing.
    complain(program, std::string("--homology: the stream is not a whole run's: ") + error.what());
    return kExitBadInput;
  }
  if (options.euler_check)
    agree = WriteEulerCheck(stderr, converter.g, converter.n, options.edge_filter,
                            chain.euler()->Sums().ByCodimension(), labelled, options.moduli) && agree;
  if (fflush(stderr) != 0 || ferror(stderr)) return kExitOutputLost;
  return agree && complete ? kExitSuccess : kExitEulerDisagreement;
}

int run_conversion(const Options& options, const char* program) {
  std::unique_ptr<BinaryGraphReader> reader = make_reader(options.stream);
  StreamConverter converter(*reader);
  converter.moduli_type = options.moduli;
  try {
    converter.Start();
  } catch (const BinaryStreamError& error) {
    complain(program, error.what());
    return kExitBadInput;
  }
  bool title_needed = options.format == Format::kLaTeX || options.format == Format::kText;
  std::string problem =
      converter.SettleType(options.type_given, options.genus, options.marked_points, title_needed);
  if (!problem.empty()) {
    complain(program, problem);
    return kExitBadInput;
  }
  std::string conflict = boundary_complex_conflict(options);
  if (!conflict.empty()) {
    complain(program, conflict);
    return kExitBadInput;
  }
  conflict = homology_conflict(options);
  if (!conflict.empty()) {
    complain(program, conflict);
    return kExitBadInput;
  }
  if (options.homology && !converter.has_graphs && !options.type_given) {
    complain(program,
             "--homology: the stream holds no graph, so it does not tell the type: "
             "give genus [marked_points] after the stream");
    return kExitBadInput;
  }
  if (options.boundary_complex && !converter.has_graphs && !options.type_given) {
    complain(program,
             "--boundary-complex: the stream holds no graph, so it does not tell the type: "
             "give genus [marked_points] after the stream");
    return kExitBadInput;
  }
  if (options.euler_check && !converter.has_graphs && !options.type_given) {
    complain(program,
             "-E: the stream holds no graph, so it does not tell the type to check: "
             "give genus [marked_points] after the stream");
    return kExitBadInput;
  }
  return replay(options, program, converter, reader->labelled());
}

}  // namespace

int Run(const Options& options, const char* program, const RunPlace& place) {
  if (options.tool == Tool::kConvert) {
    // A type refused is refused whatever else the command line asks.
    std::string refused = given_type_problem(options);
    if (!refused.empty()) {
      complain(program, refused);
      return kExitBadInput;
    }
  }
  if (options.request != Request::kRun) return answer(options, program);
  if (options.tool == Tool::kConvert) return run_conversion(options, program);
  return run_enumeration(options, program, place);
}

int RunCommandLine(Tool tool, int argc, char** argv, const RunPlace& place) {
  ReserveStandardDescriptors();
  const char* program = ProgramName(argc > 0 ? argv[0] : nullptr, tool);
  Options options;
  std::string error;
  if (!ParseOptions(tool, argc, argv, &options, &error)) {
    if (!error.empty()) complain(program, error);
    PrintUsage(stderr, tool, program);
    return kExitBadInput;
  }
  int status = Run(options, program, place);
  EndByCaughtSignal();
  return status;
}
