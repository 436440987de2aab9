// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_MAIN_OPTIONS_PARSER_H_
#define STABLE_GRAPHS_MAIN_OPTIONS_PARSER_H_

#include <string>

#include "main/options.h"

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
