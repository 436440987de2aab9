// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_MAIN_OPTIONS_PARSER_H_
#define STABLE_GRAPHS_MAIN_OPTIONS_PARSER_H_

#include <optional>
#include <string>
#include <vector>

#include "main/options.h"

/// One option of a tool as its synopsis shows it: the name as typed and,
/// for an option that takes a value, the value's word ("FILE", or the
/// values it accepts, "F|T|N").
struct KnownOption {
  std::string name;
  std::optional<std::string> value;
};

/// Every option `tool` takes, in the order of its synopsis: the parser
/// refuses any other, and the help and the manuals are checked against
/// this list.
const std::vector<KnownOption>& KnownOptions(Tool tool);

/// The search a run uses when --search does not choose one: the fastest
/// whose counters are those the report has always shown, or the fastest of
/// all when no report is written.
SearchKind SearchFor(Statistics statistics);

/// Fills `options` from the command line of `tool` (argv[0] the program).
/// False on a bad command line, with `error` the reason, one line without
/// control characters; an empty reason means the bare usage text is the
/// answer (the tool started without arguments).  --help, -h and --version
/// end the parse where they stand.
bool ParseOptions(Tool tool, int argc, char** argv, Options* options, std::string* error);

#endif  // STABLE_GRAPHS_MAIN_OPTIONS_PARSER_H_
