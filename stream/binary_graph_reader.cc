// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "stream/binary_graph_reader.h"

#include <errno.h>
#include <string.h>
#include <sys/stat.h>

#include <algorithm>
#include <string>
#include <vector>

#include "graph/printable_text.h"
#include "labelled/canonical_labellings.h"
#include "stream/canonical_order_check.h"
#include "stream/record_check.h"
#include "stream/record_io.h"

namespace {

std::string type_name(int g, int n) { return "(" + std::to_string(g) + ", " + std::to_string(n) + ")"; }

}  // namespace

/// The graph of the labelled records read last: the tool writes each
/// labelled graph once, as the least labelling of its orbit, and the
/// labellings of one graph in increasing order, one record after another.
struct BinaryGraphReader::LabellingCheck {
  explicit LabellingCheck(const Graph& graph_) : graph(graph_), labellings(graph) {}
  // The group is made again, when first needed, from the graph.
  LabellingCheck(const LabellingCheck& other)
      : graph(other.graph), labellings(graph), last_word(other.last_word) {}
  Graph graph;
  CanonicalLabellings labellings;  // keeps the graph's group between records
  std::vector<int8_t> last_word;
};

/// The stream a reader and its copies read.  A file the reader opened is
/// closed when the last of them is gone, unless reading closed it before.
struct BinaryGraphReader::SharedStream {
  SharedStream(FILE* file_, bool owned_) : file(file_), owned(owned_) {}
  SharedStream(const SharedStream&) = delete;
  SharedStream& operator=(const SharedStream&) = delete;
  ~SharedStream() {
    if (owned) Close();
  }
  void Close() {
    if (file != nullptr) fclose(file);
    file = nullptr;
  }
  FILE* file;
  bool owned;  // opened by the reader, not handed to it
};

BinaryGraphReader::BinaryGraphReader(const char* path)
    : file(fopen(path, "rb")), stream_(std::make_shared<SharedStream>(file, true)) {
  if (file == nullptr) {
    open_error = "cannot open graph stream " + PrintableText(path) + ": " + strerror(errno);
    return;
  }
  // fopen opens a directory for reading; its first read would fail with a
  // less telling message.
  struct stat status;
  if (fstat(fileno(file), &status) == 0 && S_ISDIR(status.st_mode)) {
    open_error = "cannot open graph stream " + PrintableText(path) + ": " + strerror(EISDIR);
    close_file();
  }
}

BinaryGraphReader::BinaryGraphReader(FILE* file_)
    : file(file_), stream_(std::make_shared<SharedStream>(file_, false)) {
  if (file == nullptr) open_error = "no graph stream to read";
}

BinaryGraphReader::BinaryGraphReader(const BinaryGraphReader& other)
    : file(other.file), graphs_by_K(other.graphs_by_K), trailing_bytes(other.trailing_bytes),
      open_error(other.open_error), stream_(other.stream_), was_read(other.was_read), finished(other.finished),
      allow_trailing_bytes(other.allow_trailing_bytes), check_form_and_order_(other.check_form_and_order_),
      labelled_(other.labelled_), graphs_read(other.graphs_read), first_g(other.first_g), first_n(other.first_n),
      last_K(other.last_K), last_codimension(other.last_codimension),
      labelling_check_(other.labelling_check_ ? std::make_unique<LabellingCheck>(*other.labelling_check_) : nullptr),
      canonical_check_(other.canonical_check_ ? std::make_unique<CanonicalOrderCheck>(*other.canonical_check_)
                                              : nullptr) {}

// Reading to the end closes the stream; a file the reader opened and did
// not read to the end is closed with the last of its copies.
BinaryGraphReader::~BinaryGraphReader() {}

void BinaryGraphReader::AllowTrailingBytes() { allow_trailing_bytes = true; }

void BinaryGraphReader::close_file() {
  stream_->Close();
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
  // A copy that read to the end closed the stream they share.
  if (file != nullptr && stream_->file == nullptr) {
    finished = true;
    file = nullptr;
    throw BinaryStreamError("the graph stream was already read and closed");
  }
  try {
    if (!was_read) {
      was_read = true;
      if (file == nullptr) throw BinaryStreamError(open_error);
      read_header();
    }
    ReadRecord(file, &graph);  // in place: long streams pass through one record
    graph.labelled = labelled_;
    if (graph.K != 0) {
      check_graph(graph);
      if (labelled_) {
        read_labels(graph);
        check_labelling(graph);
      }
      return true;
    }
    finish_stream();
  } catch (...) {
    finished = true;
    close_file();
    throw;
  }
  return false;
}

void BinaryGraphReader::read_header() {
  errno = 0;
  int header = fgetc(file);
  if (header == EOF) ThrowReadFailure(file, "the header byte");
  if (header != 0 && header != 1) {
    throw BinaryStreamError("not a graph stream: the header byte is " + std::to_string(header) + ", not 0 or 1");
  }
  labelled_ = header == 1;
}

// The labels must hand each vertex exactly its marked points, so that a
// labelled graph read is one the tool could have written.  check_graph has
// seen the record: no count is negative and n is within the capacity.
void BinaryGraphReader::read_labels(Graph& graph) {
  std::string where = "damaged graph stream: graph " + std::to_string(graphs_read) + " with " +
                      std::to_string(graph.K) + " components";
  if (graph.n > kMaxLabels) throw BinaryStreamError(where + " has more labels than " + std::to_string(kMaxLabels));
  unsigned char vertices[kMaxLabels];
  errno = 0;
  if (fread(vertices, 1, graph.n, file) != static_cast<size_t>(graph.n)) ThrowReadFailure(file, "the labels of a graph record");
  int counts[kMaxComponents] = {};
  for (int l = 0; l < graph.n; ++l) {
    int v = vertices[l];
    if (v >= graph.K) throw BinaryStreamError(where + " has label " + std::to_string(l + 1) + " at vertex " + std::to_string(v));
    ++counts[v];
    graph.vertex_of_label[l] = static_cast<int8_t>(v);
  }
  for (int v = 0; v < graph.K; ++v) {
    if (counts[v] != graph.marked_points[v]) {
      throw BinaryStreamError(where + " has " + std::to_string(counts[v]) + " labels at vertex " + std::to_string(v) +
                              ", which has " + std::to_string(graph.marked_points[v]) + " marked points");
    }
  }
}

void BinaryGraphReader::check_labelling(const Graph& graph) {
  std::string where = "damaged graph stream: graph " + std::to_string(graphs_read) + " with " +
                      std::to_string(graph.K) + " components";
  const int8_t* word = graph.vertex_of_label;
  if (labelling_check_ && labelling_check_->graph.SameDescription(graph)) {
    const std::vector<int8_t>& last = labelling_check_->last_word;
    if (!std::lexicographical_compare(last.begin(), last.end(), word, word + graph.n))
      throw BinaryStreamError(where + " repeats or reorders the labellings of the graph before it");
  } else {
    labelling_check_ = std::make_unique<LabellingCheck>(graph);
  }
  if (!labelling_check_->labellings.IsCanonical(word))
    throw BinaryStreamError(where + " has a labelling that is not the least of its orbit");
  labelling_check_->last_word.assign(word, word + graph.n);
}

void BinaryGraphReader::check_graph(Graph& graph) {
  ++graphs_read;
  std::string where =
      "damaged graph stream: graph " + std::to_string(graphs_read) + " with " + std::to_string(graph.K) + " components";
  std::string problem = RecordProblem(graph);
  if (!problem.empty()) throw BinaryStreamError(where + " " + problem);
  if (graphs_read == 1) {
    first_g = graph.g;
    first_n = graph.n;
  } else if (graph.g != first_g || graph.n != first_n) {
    throw BinaryStreamError(where + " is of type " + type_name(graph.g, graph.n) + ", the graphs before it of type " +
                            type_name(first_g, first_n));
  }
  // Within the tool's capacity the count fits the record's byte.
  int edges = CountEdges(graph);
  graph.codimension = static_cast<int8_t>(edges);
  if (graph.K < last_K || (graph.K == last_K && edges < last_codimension)) {
    throw BinaryStreamError(where + " and codimension " + std::to_string(edges) + " comes after one with " +
                            std::to_string(last_K) + " components and codimension " +
                            std::to_string(last_codimension));
  }
  last_K = graph.K;
  last_codimension = edges;
  if (!check_form_and_order_) return;
  if (!canonical_check_) canonical_check_ = std::make_unique<CanonicalOrderCheck>();
  problem = canonical_check_->Check(graph);
  if (!problem.empty()) throw BinaryStreamError(where + " " + problem);
}

// The end marker has been read.  A byte after it is damage in a stream of
// its own (a second stream appended, a record whose K byte became 0), so it
// is refused unless the caller said that the stream may be followed by
// other data.
void BinaryGraphReader::finish_stream() {
  errno = 0;
  int next = fgetc(file);
  if (next == EOF && ferror(file)) ThrowReadFailure(file, "past the end marker");
  trailing_bytes = next != EOF;
  if (trailing_bytes && !allow_trailing_bytes)
    throw BinaryStreamError("damaged graph stream: bytes follow the end marker");
  finished = true;
  if (allow_trailing_bytes && !stream_->owned) {
    if (trailing_bytes) ungetc(next, file);
    stream_->file = nullptr;  // the caller's again
    file = nullptr;
    return;
  }
  close_file();
}
