// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_GRAPH_HEX_TEXT_H_
#define STABLE_GRAPHS_GRAPH_HEX_TEXT_H_

#include <string>

/// `bytes` as two lowercase hexadecimal digits each: the one way recorded
/// states write bytes that may hold anything into a line of words.
std::string HexText(const std::string& bytes);

/// Reads what HexText writes into `bytes`; false (and `bytes` unspecified)
/// for an odd number of digits or anything but 0-9 and a-f.
bool BytesOfHexText(const std::string& text, std::string& bytes);

#endif  // STABLE_GRAPHS_GRAPH_HEX_TEXT_H_
