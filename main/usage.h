// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_MAIN_USAGE_H_
#define STABLE_GRAPHS_MAIN_USAGE_H_

#include <stdio.h>

#include <string>

#include "main/options.h"

/// Writes the usage text of `tool`, naming it `program`: the answer to a
/// bad command line.
void PrintUsage(FILE* out, Tool tool, const char* program);

/// Writes the complete help of `tool`, every option with its meaning: the
/// answer to --help and -h.
void PrintHelp(FILE* out, Tool tool, const char* program);

/// Writes the banner line of build flags to standard error.
void PrintCompilationFlags();

/// The name to show in messages: argv0, or the tool's own name when a
/// caller started the process without one (an empty argument vector or an
/// empty name).
const char* ProgramName(const char* argv0, Tool tool = Tool::kEnumerate);

#endif  // STABLE_GRAPHS_MAIN_USAGE_H_
