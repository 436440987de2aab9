// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
//
// libFuzzer target: BinaryGraphReader on arbitrary bytes.  The reader must
// either return graphs or throw BinaryStreamError; it may accept only what
// an independent walk over the record boundaries finds whole (the end
// marker as the last byte), and refuses a whole stream only for records no
// run can write, which it then names as damage; what it accepts must be
// stable, connected, of one type and write back to
// the same bytes, and the graphs it returns must survive the rest of the
// library (printing, canonical form).  Crashes, leaks, hangs and reads out of
// bounds are caught by the sanitizers the target is built with.
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "graph/canonical_form.h"
#include "printers/latex_graph_printer.h"
#include "printers/text_graph_printer.h"
#include "stream/binary_graph_reader.h"
#include "stream/record_check.h"
#include "stream/record_io.h"

namespace {

/// Ends the run with a message; libFuzzer keeps the input that got here.
[[noreturn]] void fail(const std::string& what) {
  fprintf(stderr, "binary_graph_reader_fuzz: %s\n", what.c_str());
  abort();
}

/// What a stream should give, found without the reader: whether it is
/// whole, and its records (each as its bytes) in stream order.
struct Expected {
  bool accepted = false;
  bool labelled = false;  // header byte 1: each record is followed by its labels
  std::vector<std::string> records;
};

/// Splits the stream into records by their K alone, as the format allows.
Expected walk(const uint8_t* data, size_t size) {
  Expected expected;
  if (size == 0 || data[0] > 1) return expected;
  expected.labelled = data[0] == 1;
  size_t at = 1;
  while (at < size) {
    int K = static_cast<int8_t>(data[at]);
    if (K == 0) {
      expected.accepted = at + 1 == size;  // nothing may follow the end marker
      return expected;
    }
    if (K < 0 || K > 41) return expected;
    size_t length = 1 + 3 * static_cast<size_t>(K) + static_cast<size_t>(K * (K - 1) / 2);
    if (size - at < length) return expected;
    if (expected.labelled) {
      // One byte per marked point, a negative count making the record damage.
      int n = 0;
      for (int i = 0; i < K; ++i) n += static_cast<int8_t>(data[at + 1 + K + i]);
      if (n < 0) return expected;
      length += static_cast<size_t>(n);
      if (size - at < length) return expected;
    }
    expected.records.emplace_back(reinterpret_cast<const char*>(data + at), length);
    at += length;
  }
  return expected;  // cut before the end marker
}

/// The bytes a FILE* writer produces.
class MemoryStream {
 public:
  MemoryStream() : file(open_memstream(&buffer_, &size_)) {
    if (file == nullptr) fail("open_memstream failed");
  }
  ~MemoryStream() {
    if (file != nullptr) fclose(file);
    free(buffer_);
  }
  std::string Take() {
    fclose(file);
    file = nullptr;
    return std::string(buffer_, size_);
  }
  FILE* file;

 private:
  char* buffer_ = nullptr;
  size_t size_ = 0;
};

/// Checks what the reader made of one record and drives the rest of the
/// library with it.
void check_graph(const Graph& graph, int K, FILE* sink) {
  if (graph.K != K) fail("a graph filed under the wrong K");
  int g = 1 - K, n = 0;
  for (int i = 0; i < K; ++i) {
    g += graph.genus[i] + graph.loops[i];
    n += graph.marked_points[i];
    if (graph.adjacency[i][i] != graph.loops[i]) fail("diagonal differs from the loops");
    for (int k = i + 1; k < K; ++k) {
      if (graph.adjacency[i][k] != graph.adjacency[k][i]) fail("asymmetric adjacency");
      g += graph.adjacency[i][k];
    }
  }
  if (g != graph.g || n != graph.n) fail("g or n not recovered from the record");
  if (!RecordProblem(graph).empty()) fail("a record no run can write was accepted: " + RecordProblem(graph));

  WriteGraphText(sink, graph);
  WriteTikzPicture(sink, graph);

  // A graph and its copy must have the same canonical form, or the record
  // must be too large for nauty.
  int colored = K;
  for (int i = 0; i < K; ++i)
    for (int k = i + 1; k < K; ++k) colored += graph.adjacency[i][k] > 1;
  Graph copy(graph);
  try {
    CanonicalForm one, other;
    ComputeCanonicalForm(graph, &one);
    ComputeCanonicalForm(copy, &other);
    if (!one.SameGraph(other)) fail("a graph differs from its own copy");
    if (colored > 32) fail("nauty accepted more than 32 coloured vertices");
  } catch (const std::length_error&) {
    if (colored <= 32) fail("a graph within nauty's size was refused");
  }
}

}  // namespace

/// One input: a byte stream as another program or machine might hand it over.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static FILE* sink = fopen("/dev/null", "w");
  Expected expected = walk(data, size);

  std::vector<char> bytes(data, data + size);
  FILE* stream = fmemopen(bytes.data(), bytes.size(), "rb");
  if (stream == nullptr) fail("fmemopen failed");
  BinaryGraphReader reader(stream);
  GraphsByComponents* read = nullptr;
  try {
    read = &reader.Read();
  } catch (const BinaryStreamError& error) {
    if (expected.accepted && std::string(error.what()).rfind("damaged graph stream: graph ", 0) != 0)
      fail(std::string("a whole stream was refused: ") + error.what());
    if (std::string(error.what()).empty()) fail("an error without a message");
    if (!reader.graphs_by_K.empty()) fail("graphs left behind after an error");
    return 0;
  }
  if (!expected.accepted) fail("a broken stream was accepted");

  // The reader groups by K, keeping stream order within a K: the same as a
  // stable sort of the records by their first byte.
  std::stable_sort(expected.records.begin(), expected.records.end(),
                   [](const std::string& a, const std::string& b) { return a[0] < b[0]; });
  std::string want(1, expected.labelled ? '\1' : '\0');
  for (const std::string& record : expected.records) want += record;
  want += '\0';

  MemoryStream written;
  fputc(expected.labelled ? 1 : 0, written.file);
  for (auto& [K, graphs] : *read) {
    for (const Graph& graph : graphs) {
      check_graph(graph, K, sink);
      WriteRecord(written.file, graph);
      if (graph.labelled != expected.labelled) fail("a graph read with the wrong labelling");
    }
  }
  fputc(0, written.file);
  if (written.Take() != want) fail("the graphs read do not write back to the same bytes");
  return 0;
}
