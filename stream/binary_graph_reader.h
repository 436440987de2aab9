// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_STREAM_BINARY_GRAPH_READER_H_
#define STABLE_GRAPHS_STREAM_BINARY_GRAPH_READER_H_

#include <stdio.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "stream/stream_error.h"
#include "graph/graph.h"

/// Graphs read from a stream, by component count (ascending), each vector
/// in stream order.
typedef std::map<int, std::vector<Graph>> GraphsByComponents;

/// Reads a byte stream written by BinaryGraphPrinter back into graphs,
/// all at once (Read) or one graph at a time (ReadNext).
///
/// A stream with header byte 1 holds labelled graphs: after each record,
/// the vertex of each label 1 .. n; its graphs are read with `labelled`
/// set and `vertex_of_label` filled.
///
/// It accepts exactly what stable-graphs writes.  Both throw
/// BinaryStreamError, naming what they were reading, for a file that cannot
/// be opened or read, a stream that ends before its end marker, a header
/// byte other than 0 and 1, labels that do not hand each vertex its marked
/// points, a record with a component count outside 1 .. 41, a
/// record that no run can write (RecordProblem: a negative count, an
/// unstable vertex, a disconnected graph, a type beyond the tool's
/// capacity), a graph of another type than the first or out of the order
/// the tool writes (by component count, then codimension), and bytes after
/// the end marker (see AllowTrailingBytes); Read then returns nothing.  The
/// stream is closed once its end marker has been read or an error met.
/// Every graph read carries its codimension.
class CanonicalOrderCheck;

class BinaryGraphReader {
 public:
  /// Opens the file at path for reading; a failure (a missing file, a
  /// directory) is reported by Read.
  explicit BinaryGraphReader(const char* path);
  /// Reads from an open stream, which Read closes.
  explicit BinaryGraphReader(FILE* file);
  /// A reader of the same stream at the same point, with the same settings
  /// and the checks of what it has read so far; the two share the stream,
  /// which stays open while either may still read it, and a copy reads on
  /// where the other stopped.
  BinaryGraphReader(const BinaryGraphReader& other);
  BinaryGraphReader& operator=(const BinaryGraphReader&) = delete;
  ~BinaryGraphReader();

  /// Reads the whole stream into graphs_by_K and returns it.
  GraphsByComponents& Read();
  /// Reads the next graph of the stream into `graph`; false at the end
  /// marker.  Memory stays constant however long the stream is.
  bool ReadNext(Graph& graph);
  /// Whether the stream holds labelled graphs; known once reading began.
  bool labelled() const { return labelled_; }

  /// For a stream embedded in a larger file: the reader stops right after
  /// the end marker instead of refusing what follows it, records in
  /// trailing_bytes whether anything does, and leaves a stream handed to
  /// the constructor open, positioned just after the end marker, for the
  /// caller to read on.  Call before reading.
  void AllowTrailingBytes();
  /// For streams made by hand rather than by the tool: records need not be
  /// in the tool's own form and order (each the least of its relabellings,
  /// ascending within a section), only valid.  Call before reading.
  void AllowAnyFormAndOrder() { check_form_and_order_ = false; }

  FILE* file;
  GraphsByComponents graphs_by_K;
  /// After the end marker with AllowTrailingBytes: whether bytes follow it.
  bool trailing_bytes = false;

 private:
  void close_file();
  void read_header();
  void read_labels(Graph& graph);
  void check_graph(Graph& graph);
  void check_labelling(const Graph& graph);
  void finish_stream();

  struct LabellingCheck;
  struct SharedStream;

  // Why the file could not be opened (path constructor), for Read's report.
  std::string open_error;
  // The stream and whether it is closed, shared by a reader and its copies.
  std::shared_ptr<SharedStream> stream_;
  bool was_read = false;   // reading has begun
  bool finished = false;   // the end marker or an error has been met
  bool allow_trailing_bytes = false;
  bool check_form_and_order_ = true;
  bool labelled_ = false;  // the header byte was 1
  long graphs_read = 0;    // for messages
  int first_g = 0, first_n = 0;
  int last_K = 0, last_codimension = 0;
  // The graph of the last labelled record, for the next one's labelling.
  std::unique_ptr<LabellingCheck> labelling_check_;
  // The form and order of the records, those of the tool's search.
  std::unique_ptr<CanonicalOrderCheck> canonical_check_;
};

#endif  // STABLE_GRAPHS_STREAM_BINARY_GRAPH_READER_H_
