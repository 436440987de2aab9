// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_STREAM_STREAM_CONVERTER_H_
#define STABLE_GRAPHS_STREAM_STREAM_CONVERTER_H_

#include <stddef.h>

#include <optional>
#include <string>

#include "graph/graph.h"
#include "graph/graph_printer.h"
#include "moduli/moduli_type.h"
#include "stream/binary_graph_reader.h"

/// Reads a byte stream graph by graph, checks that stable-graphs could have
/// written it, and hands its graphs to any printer the way stable-graphs
/// handed them to its own, so that the printer writes the same document.
/// Memory stays constant however long the stream is.
class StreamConverter {
 public:
  /// Converts the stream of `reader`, which must outlive the converter.
  explicit StreamConverter(BinaryGraphReader& reader);

  /// Reads the first graph, which tells the type of the run.  Throws
  /// BinaryStreamError for a stream damaged before it.
  void Start();

  /// Settles g and n for the printers: the graphs' type, which a given type
  /// must match; for a stream without graphs the given type, which only a
  /// title needs.  Returns an empty string, or one line saying what is
  /// wrong.
  std::string SettleType(bool given, int genus, int marked_points, bool title_needed);

  /// Calls BeginPrint, then PrintSomeGraph for each component count in the
  /// stream with its graphs that have edge_filter edges (not given: all), by
  /// codimension and in stream order, keeping only those of moduli_type
  /// (every call is made all the same), at most batch_size graphs per call,
  /// then EndPrint.  Throws the reader's BinaryStreamError for damage met
  /// on the way (bytes after the end marker included); the graphs before it
  /// have then reached the printer and EndPrint is not called.
  void Replay(GraphPrinter& printer, std::optional<int> edge_filter);

  /// False for a stream that holds no graph (the two bytes 00 00).
  bool has_graphs = false;
  int g = 0;
  int n = 0;
  size_t batch_size = 4096;
  /// The graphs Replay keeps: those of this moduli type.
  ModuliType moduli_type = ModuliType::kStable;

 private:
  void read_ahead();

  BinaryGraphReader& reader_;
  Graph next_;              // the graph read ahead, when next_valid_
  bool next_valid_ = false;
};

#endif  // STABLE_GRAPHS_STREAM_STREAM_CONVERTER_H_
