// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_MAIN_OPTIONS_H_
#define STABLE_GRAPHS_MAIN_OPTIONS_H_

#include <optional>
#include <string>
#include <vector>

#include "checkpoint/checkpoint_options.h"
#include "computer/search_kind.h"
#include "computer/statistics_mode.h"
#include "moduli/moduli_type.h"
#include "main/printer_factory.h"

/// The two tools that share this front end.
enum class Tool {
  /// stable-graphs: enumerates the graphs of a type.
  kEnumerate,
  /// stable-graphs-convert: rewrites a byte stream in another format.
  kConvert,
};

/// What a command line asks for instead of a run.
enum class Request {
  kRun,
  /// --help or -h: the complete help on standard output.
  kHelp,
  /// --version: the name and version on standard output.
  kVersion,
};

/// Everything a command line of either tool says.
struct Options {
  Tool tool = Tool::kEnumerate;
  Request request = Request::kRun;
  /// -P: how the graphs are written.
  Format format = Format::kLaTeX;
  /// -S: what the enumeration reports.
  Statistics statistics = StatisticsFull;
  /// -C: only the graphs with that many edges; not given: every graph.
  std::optional<int> edge_filter;
  /// -L: the marked points labelled 1 .. n.
  bool labelled = false;
  /// -E: compare the graphs' Euler characteristic with the series.
  bool euler_check = false;
  /// --boundary-complex: write the reduced Euler characteristics of the
  /// boundary complex and its quotient after the run.
  bool boundary_complex = false;
  /// --homology: write the reduced rational homology of the boundary
  /// complex's quotient Delta_{g,n}/S_n (and with -L of Delta_{g,n}) after
  /// the run.
  bool homology = false;
  /// --whole-complex: take the homology from every cell, without the
  /// contractible subcomplex taken away.
  bool whole_complex = false;
  /// --homology-export DIR: write the chain complexes into DIR (not given: empty).
  std::string homology_export;
  /// --search: how the enumeration recognises a graph it has found
  /// before; when not given, the fastest search that writes this run's
  /// report (SearchFor).
  bool search_given = false;
  SearchKind search = SearchKind::kOrderly;
  /// -M: only the graphs of this moduli type.
  ModuliType moduli = ModuliType::kStable;
  /// Whether genus (and maybe marked_points) came on the command line:
  /// always for the tool, optional after the converter's stream.
  bool type_given = false;
  int genus = 0;
  int marked_points = 0;
  /// Why the run is refused though the command line is well formed: a
  /// number beyond the range of int (then held as 0), named as typed; ""
  /// when there is no such number.
  std::string number_refusal;
  /// The converter's input: a path, or "-" for standard input.
  std::string stream = "-";
  /// --checkpoint, --checkpoint-interval and --output.
  CheckpointOptions checkpoint;
  /// The arguments that choose what a run computes and writes (all but the
  /// checkpoint options), which a checkpoint records.
  std::vector<std::string> run_arguments;
};

#endif  // STABLE_GRAPHS_MAIN_OPTIONS_H_
