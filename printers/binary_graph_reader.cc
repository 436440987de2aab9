// Copyright 2026 The stable-graphs Authors.
#include "printers/binary_graph_reader.h"

#include <errno.h>
#include <string.h>

#include <string>

BinaryGraphReader::BinaryGraphReader(const char* path) : file(fopen(path, "rb")), owns_file(true) {
  if (file == nullptr) open_error = std::string("cannot open graph stream ") + path + ": " + strerror(errno);
}

BinaryGraphReader::BinaryGraphReader(FILE* file_) : file(file_) {
  if (file == nullptr) open_error = "no graph stream to read";
}

BinaryGraphReader::BinaryGraphReader(const BinaryGraphReader& other)
    : file(other.file), graphs_by_K(other.graphs_by_K), open_error(other.open_error),
      was_read(other.was_read), finished(other.finished), labelled_(other.labelled_) {}

// Reading to the end closes the stream; a reader that opened its own file
// and did not read it to the end closes it here.  Copies share the stream
// without owning it.
BinaryGraphReader::~BinaryGraphReader() {
  if (owns_file && !finished) close_file();
}

void BinaryGraphReader::close_file() {
  if (file != nullptr) fclose(file);
  file = nullptr;
}

GraphsByComponents& BinaryGraphReader::Read() {
  if (was_read) throw BinaryStreamError("the graph stream was already read and closed");
  graphs_by_K.clear();
  try {
    Graph graph(-1, -1, -1);
    while (ReadNext(graph)) graphs_by_K[graph.K].push_back(graph);
  } catch (...) {
    graphs_by_K.clear();
    throw;
  }
  return graphs_by_K;
}

bool BinaryGraphReader::ReadNext(Graph& graph) {
  if (finished) throw BinaryStreamError("the graph stream was already read and closed");
  try {
    if (!was_read) {
      was_read = true;
      if (file == nullptr) throw BinaryStreamError(open_error);
      read_header();
    }
    graph.ReadRecord(file);  // in place: long streams pass through one record
    graph.labelled = labelled_;
    if (labelled_ && graph.K != 0) read_labels(graph);
  } catch (...) {
    finished = true;
    close_file();
    throw;
  }
  if (graph.K != 0) return true;
  finished = true;  // the end marker
  close_file();
  return false;
}

void BinaryGraphReader::read_header() {
  int header = fgetc(file);
  if (header == EOF) throw BinaryStreamError("unexpected end of graph stream while reading the header byte");
  if (header != 0 && header != 1) {
    throw BinaryStreamError("not a graph stream: the header byte is " + std::to_string(header) + ", not 0 or 1");
  }
  labelled_ = header == 1;
}

// The labels must hand each vertex exactly its marked points, so that a
// labelled graph read is one the tool could have written.
void BinaryGraphReader::read_labels(Graph& graph) {
  int counts[kMaxComponents] = {};
  for (int v = 0; v < graph.K; ++v) {
    if (graph.marked_points[v] < 0) {
      throw BinaryStreamError("corrupt graph stream: a labelled record has a negative marked-point count");
    }
  }
  if (graph.n > kMaxLabels) {
    throw BinaryStreamError("corrupt graph stream: a labelled record has " + std::to_string(graph.n) +
                            " marked points, more than the " + std::to_string(kMaxLabels) + " labels a graph can hold");
  }
  unsigned char vertices[kMaxLabels];
  if (fread(vertices, 1, graph.n, file) != static_cast<size_t>(graph.n)) {
    throw BinaryStreamError("unexpected end of graph stream while reading the labels of a graph record");
  }
  for (int l = 0; l < graph.n; ++l) {
    int v = vertices[l];
    if (v >= graph.K) {
      throw BinaryStreamError("corrupt graph stream: label " + std::to_string(l + 1) + " of a record with " +
                              std::to_string(graph.K) + " components sits at vertex " + std::to_string(v));
    }
    ++counts[v];
    graph.vertex_of_label[l] = static_cast<int8_t>(v);
  }
  for (int v = 0; v < graph.K; ++v) {
    if (counts[v] != graph.marked_points[v]) {
      throw BinaryStreamError("corrupt graph stream: vertex " + std::to_string(v) + " of a labelled record carries " +
                              std::to_string(counts[v]) + " labels but " + std::to_string(graph.marked_points[v]) +
                              " marked points");
    }
  }
}
