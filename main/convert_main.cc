// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
//
// stable-graphs-convert: reads a byte stream written by stable-graphs -P B
// and writes its graphs as LaTeX, text, a byte stream, JSON Lines,
// SageMath lines or Graphviz graphs.
#include "main/run.h"

int main(int argc, char** argv) { return RunCommandLine(Tool::kConvert, argc, argv); }
