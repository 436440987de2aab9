// Copyright 2026 The stable-graphs Authors.
#ifndef STABLE_GRAPHS_MAIN_STREAM_CONVERTER_H_
#define STABLE_GRAPHS_MAIN_STREAM_CONVERTER_H_

#include <string>

#include "printers/binary_graph_reader.h"
#include "printers/graph_printer.h"

/// Reads a whole byte stream, checks that stable-graphs could have written
/// it, and hands its graphs to any printer the way stable-graphs handed
/// them to its own, so that the printer writes the same document.
class StreamConverter {
 public:
  /// Reads the stream of reader and fills in each graph's codimension;
  /// throws BinaryStreamError for a damaged stream: the reader's own
  /// errors, a negative count, graphs of different types, or an unstable
  /// type.
  void Read(BinaryGraphReader& reader);

  /// Settles g and n for the printers: the graphs' type, which a given type
  /// must match; for a stream without graphs the given type, which only a
  /// title needs.  Returns an empty string, or one line saying what is
  /// wrong.
  std::string SettleType(bool given, int genus, int marked_points, bool title_needed);

  /// Calls BeginPrint, then PrintSomeGraph once per component count (in
  /// ascending order) with the graphs that have edge_filter edges (-1: all),
  /// by codimension and in stream order, then EndPrint.
  void Replay(GraphPrinter& printer, int edge_filter);

  GraphsByComponents graphs;
  /// False for a stream that holds no graph (the two bytes 00 00).
  bool has_graphs = false;
  int g = 0;
  int n = 0;

 private:
  void check_graph(Graph& graph, int number);
};

#endif  // STABLE_GRAPHS_MAIN_STREAM_CONVERTER_H_
