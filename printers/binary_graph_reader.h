// Copyright 2026 The stable-graphs Authors.
#ifndef STABLE_GRAPHS_PRINTERS_BINARY_GRAPH_READER_H_
#define STABLE_GRAPHS_PRINTERS_BINARY_GRAPH_READER_H_

#include <stdio.h>

#include <map>
#include <string>
#include <vector>

#include "graph/binary_stream_error.h"
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
/// Both throw BinaryStreamError, naming what they were reading, for a file
/// that cannot be opened, a stream that ends before its end marker, a
/// header byte other than 0 and 1, a record with a component count outside
/// 1 .. 41, and labels that do not match the record (a vertex out of
/// range, or a vertex with more or fewer labels than marked points); Read
/// then returns nothing.  The stream is closed once its end marker has
/// been read or an error met.
class BinaryGraphReader {
 public:
  /// Opens the file at path for reading; a failure is reported by Read.
  explicit BinaryGraphReader(const char* path);
  /// Reads from an open stream, which Read closes.
  explicit BinaryGraphReader(FILE* file);
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

  FILE* file;
  GraphsByComponents graphs_by_K;

 private:
  void close_file();
  void read_header();
  void read_labels(Graph& graph);

  // Why the file could not be opened (path constructor), for Read's report.
  std::string open_error;
  bool owns_file = false;
  bool was_read = false;   // reading has begun
  bool finished = false;   // the end marker or an error has been met
  bool labelled_ = false;  // the header byte was 1
};

#endif  // STABLE_GRAPHS_PRINTERS_BINARY_GRAPH_READER_H_
