// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
//
// stable-graphs: enumerates the stable graphs of type (g, n) and writes them
// to standard output, with search statistics on standard error.
#include "main/run.h"

int main(int argc, char** argv) { return RunCommandLine(Tool::kEnumerate, argc, argv); }
