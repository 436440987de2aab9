// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_GRAPH_PRINTABLE_TEXT_H_
#define STABLE_GRAPHS_GRAPH_PRINTABLE_TEXT_H_

#include <string>

/// The text with every control character (below 0x20, and 0x7f) replaced
/// by '?': a file name or argument quoted in a one-line message can then
/// neither split the line nor send escape sequences to a terminal.
std::string PrintableText(std::string text);

#endif  // STABLE_GRAPHS_GRAPH_PRINTABLE_TEXT_H_
