// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
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
      was_read(other.was_read), finished(other.finished) {}

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
  if (header != 0) {
    throw BinaryStreamError("not a graph stream: the header byte is " + std::to_string(header) + ", not 0");
  }
}
