// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "stream/binary_graph_reader.h"

#include <errno.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "computer/boundary_computer.h"
#include "labelled/labelling_printer.h"
#include "testing/test_support.h"
#include "stream/binary_graph_printer.h"

namespace {

bool descriptor_closed(int fd) { return fcntl(fd, F_GETFD) == -1 && errno == EBADF; }

/// Writes the byte stream and keeps a copy of every graph it writes.
class KeepingPrinter : public GraphPrinter {
 public:
  KeepingPrinter(FILE* file, int g, int n) : binary(file, g, n) {}
  void BeginPrint() override { binary.BeginPrint(); }
  void PrintSomeGraph(const GraphsByCodimension& graphs) override {
    binary.PrintSomeGraph(graphs);
    for (auto& entry : graphs)
      for (const Graph* graph : entry.second) printed.push_back(*graph);
  }
  void EndPrint() override { binary.EndPrint(); }

  BinaryGraphPrinter binary;
  std::vector<Graph> printed;
};

::testing::AssertionResult same_graph(const Graph& read, const Graph& printed) {
  if (read.K != printed.K || read.g != printed.g || read.n != printed.n)
    return ::testing::AssertionFailure() << "K, g, n read " << read.K << ", " << read.g << ", " << read.n;
  for (int i = 0; i < read.K; ++i) {
    if (read.genus[i] != printed.genus[i] || read.marked_points[i] != printed.marked_points[i] ||
        read.loops[i] != printed.loops[i])
      return ::testing::AssertionFailure() << "decorations of vertex " << i;
    for (int k = 0; k < read.K; ++k)
      if (read.adjacency[i][k] != printed.adjacency[i][k])
        return ::testing::AssertionFailure() << "adjacency (" << i << ", " << k << ")";
  }
  return ::testing::AssertionSuccess();
}

}  // namespace

TEST(BinaryGraphReader, RoundTripOfEveryTypeUpToEight) {
  for (int g = 0; 2 * g <= 8; ++g) {
    for (int n = 0; 2 * g + n <= 8; ++n) {
      if (2 * g - 3 + n < 0) continue;
      SCOPED_TRACE("type (" + std::to_string(g) + ", " + std::to_string(n) + ")");
      FILE* f = tmpfile();
      KeepingPrinter printer(f, g, n);
      BoundaryComputer computer(g, n);
      computer.Compute(printer, StatisticsNone);
      rewind(f);
      BinaryGraphReader reader(f);
      GraphsByComponents& read = reader.Read();
      EXPECT_EQ(&reader.graphs_by_K, &read);

      // The passes come in ascending K, so the groups in key order give back
      // the printing order.
      size_t at = 0;
      for (auto& entry : read) {
        for (const Graph& graph : entry.second) {
          EXPECT_EQ(entry.first, graph.K);
          EXPECT_EQ(g, graph.g);
          EXPECT_EQ(n, graph.n);
          ASSERT_LT(at, printer.printed.size());
          EXPECT_TRUE(same_graph(graph, printer.printed[at])) << "graph " << at;
          ++at;
        }
      }
      EXPECT_EQ(printer.printed.size(), at);
    }
  }
}

TEST(BinaryGraphReader, GroupsByComponentsInStreamOrder) {
  // Graphs of type (1, 2): two with one component, then two with two.
  BinaryGraphReader reader(
      StreamOfBytes({0, 1, 1, 2, 0, 1, 0, 2, 1, 2, 0, 1, 2, 0, 0, 0, 1, 2, 0, 0, 1, 1, 0, 0, 2, 0}));
  GraphsByComponents& read = reader.Read();
  ASSERT_EQ(2u, read.size());
  ASSERT_EQ(2u, read[1].size());
  ASSERT_EQ(2u, read[2].size());
  EXPECT_EQ(1, read[1][0].g);
  EXPECT_EQ(0, read[1][0].codimension);
  EXPECT_EQ(1, read[1][1].adjacency[0][0]);
  EXPECT_EQ(1, read[1][1].codimension);
  EXPECT_EQ(1, read[2][0].genus[1]);
  EXPECT_EQ(1, read[2][0].adjacency[1][0]);
  EXPECT_EQ(2, read[2][1].adjacency[0][1]);
  EXPECT_EQ(2, read[2][1].codimension);
  for (auto& entry : read)
    for (const Graph& graph : entry.second) EXPECT_EQ(2, graph.n);
}

TEST(BinaryGraphReader, EmptyRunAndClosedStream) {
  FILE* f = StreamOfBytes({0, 0});
  int fd = fileno(f);
  BinaryGraphReader reader(f);
  EXPECT_TRUE(reader.Read().empty());
  EXPECT_TRUE(descriptor_closed(fd));
  EXPECT_THROW(reader.Read(), BinaryStreamError) << "the stream is closed after the first Read";
}

// The most components the tool can write: a chain of 31 genus-0 vertices
// of type (0, 33), two marked points at each end and one elsewhere.
TEST(BinaryGraphReader, LargestRecord) {
  const int K = 31;
  std::vector<int> bytes = {0, K};
  bytes.insert(bytes.end(), K, 0);  // genus
  for (int v = 0; v < K; ++v) bytes.push_back(v == 0 || v == K - 1 ? 2 : 1);
  bytes.insert(bytes.end(), K, 0);  // loops
  for (int i = 0; i < K; ++i)
    for (int k = i + 1; k < K; ++k) bytes.push_back(k == i + 1);
  bytes.push_back(0);  // end marker
  // A chain in the order it is built, not the tool's own form.
  BinaryGraphReader reader(StreamOfBytes(bytes));
  reader.AllowAnyFormAndOrder();
  GraphsByComponents& read = reader.Read();
  ASSERT_EQ(1u, read[K].size());
  const Graph& graph = read[K][0];
  EXPECT_EQ(0, graph.g);
  EXPECT_EQ(33, graph.n);
  EXPECT_EQ(K - 1, graph.codimension);
  EXPECT_EQ(1, graph.adjacency[29][30]);
  EXPECT_EQ(1, graph.adjacency[30][29]);
  EXPECT_EQ(0, graph.adjacency[28][30]);

  // 41 components fit a record but no type the tool accepts.
  std::vector<int> widest = {0, 41};
  widest.insert(widest.end(), 41, 1);               // genus
  widest.insert(widest.end(), 41 + 41 + 41 * 40 / 2, 0);
  widest.push_back(0);
  BinaryGraphReader refused(StreamOfBytes(widest));
  try {
    refused.Read();
    ADD_FAILURE() << "no error";
  } catch (const BinaryStreamError& e) {
    EXPECT_EQ("damaged graph stream: graph 1 with 41 components has an unstable vertex 0 of genus 1 with 0 special points",
              std::string(e.what()));
  }
}

// The table that the converter and the Python reader run too; here the
// library reader alone, message for message.
TEST(BinaryGraphReader, SharedStreamTable) {
  std::vector<StreamCase> cases = ReadStreamCases(STABLE_GRAPHS_SOURCE_DIR "/stream/stream_cases.txt");
  ASSERT_GE(cases.size(), 30u);
  for (const StreamCase& c : cases) {
    SCOPED_TRACE(c.line);
    std::vector<int> bytes(c.bytes.begin(), c.bytes.end());
    for (int& byte : bytes) byte &= 0xFF;
    BinaryGraphReader reader(StreamOfBytes(bytes));
    Graph graph(-1, -1, -1);
    int graphs = 0;
    try {
      while (reader.ReadNext(graph)) ++graphs;
      EXPECT_EQ(c.graphs, graphs);
    } catch (const BinaryStreamError& e) {
      EXPECT_EQ(-1, c.graphs) << e.what();
      EXPECT_NE(std::string::npos, std::string(e.what()).find(c.error)) << e.what();
    }
  }
}

// A stream embedded in a larger file: the reader stops at the end marker,
// says whether anything follows and leaves the rest to the caller.
TEST(BinaryGraphReader, TrailingBytesWhenAllowed) {
  FILE* f = StreamOfBytes({0, 1, 0, 4, 0, 0, 'x', 'y'});
  BinaryGraphReader reader(f);
  reader.AllowTrailingBytes();
  GraphsByComponents& read = reader.Read();
  ASSERT_EQ(1u, read[1].size());
  EXPECT_TRUE(reader.trailing_bytes);
  EXPECT_EQ(nullptr, reader.file);
  EXPECT_EQ('x', fgetc(f)) << "the caller reads on after the end marker";
  EXPECT_EQ('y', fgetc(f));
  fclose(f);

  FILE* exact = StreamOfBytes({0, 0});
  BinaryGraphReader whole(exact);
  whole.AllowTrailingBytes();
  EXPECT_TRUE(whole.Read().empty());
  EXPECT_FALSE(whole.trailing_bytes);
  EXPECT_EQ(EOF, fgetc(exact));
  fclose(exact);

  // By default the same bytes are damage, and the stream is closed.
  FILE* strict = StreamOfBytes({0, 1, 0, 4, 0, 0, 'x'});
  int fd = fileno(strict);
  BinaryGraphReader refusing(strict);
  EXPECT_THROW(refusing.Read(), BinaryStreamError);
  EXPECT_TRUE(refusing.graphs_by_K.empty());
  EXPECT_TRUE(descriptor_closed(fd));
}

TEST(BinaryGraphReader, BrokenStreamsLeaveNothing) {
  struct Case {
    std::vector<int> bytes;
    const char* reading;
  };
  // A complete record of four points on one component comes first where it
  // can, so that a partial result would show.
  const Case cases[] = {
      {{}, "header byte"},
      {{2, 1, 0, 4, 0, 0}, "header byte"},
      {{0xFF, 0}, "header byte"},
      {{0, 1, 0, 4, 0}, "number of components"},
      {{0, 1, 0, 4, 0, 2, 0}, "genus"},
      {{0, 1, 0, 4, 0, 2, 0, 0, 2, 2, 0, 0}, "multiplicity"},
      {{0, 1, 0, 4, 0, 0x80, 0}, "components"},
      {{0, 1, 0, 4, 0, 0xFF, 0}, "components"},
      {{0, 1, 0, 4, 0, 42, 0}, "components"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.bytes));
    FILE* f = StreamOfBytes(c.bytes);
    int fd = fileno(f);
    BinaryGraphReader reader(f);
    try {
      reader.Read();
      ADD_FAILURE() << "no error";
    } catch (const BinaryStreamError& e) {
      EXPECT_NE(std::string::npos, std::string(e.what()).find(c.reading)) << e.what();
    }
    EXPECT_TRUE(reader.graphs_by_K.empty());
    EXPECT_TRUE(descriptor_closed(fd));
    EXPECT_THROW(reader.Read(), BinaryStreamError);
  }
}

TEST(BinaryGraphReader, Paths) {
  char path[] = "/tmp/stable-graphs-reader-XXXXXX";
  int fd = mkstemp(path);
  ASSERT_NE(-1, fd);
  const unsigned char stream[] = {0, 1, 0, 4, 0, 2, 0, 0, 2, 2, 0, 0, 1, 0};
  ASSERT_EQ(static_cast<ssize_t>(sizeof(stream)), write(fd, stream, sizeof(stream)));
  close(fd);
  BinaryGraphReader reader(path);
  GraphsByComponents& read = reader.Read();
  ASSERT_EQ(2u, read.size());
  EXPECT_EQ(4, read[1][0].marked_points[0]);
  EXPECT_EQ(1, read[2][0].adjacency[0][1]);
  EXPECT_EQ(0, read[2][0].g);
  unlink(path);

  BinaryGraphReader directory("/tmp");
  try {
    directory.Read();
    ADD_FAILURE() << "no error";
  } catch (const BinaryStreamError& e) {
    // The words of open(2), which the Python reader says too.
    EXPECT_EQ("cannot open graph stream /tmp: Is a directory", std::string(e.what()));
  }

  const std::string missing = "/nonexistent-directory/graphs.bin";
  BinaryGraphReader absent(missing.c_str());
  try {
    absent.Read();
    ADD_FAILURE() << "no error";
  } catch (const BinaryStreamError& e) {
    EXPECT_NE(std::string::npos, std::string(e.what()).find(missing)) << e.what();
  }
  EXPECT_TRUE(absent.graphs_by_K.empty());
  EXPECT_THROW(absent.Read(), BinaryStreamError);
}

TEST(BinaryGraphReader, LabelledRoundTrip) {
  for (auto [g, n] : std::vector<std::pair<int, int>>{{0, 5}, {1, 3}, {2, 2}, {0, 7}}) {
    SCOPED_TRACE("type (" + std::to_string(g) + ", " + std::to_string(n) + ")");
    FILE* f = tmpfile();
    KeepingPrinter printer(f, g, n);
    printer.binary.labelled = true;
    LabellingPrinter labelling(printer);
    BoundaryComputer computer(g, n);
    computer.Compute(labelling, StatisticsNone);
    rewind(f);
    BinaryGraphReader reader(f);
    Graph graph(-1, -1, -1);
    size_t at = 0;
    while (reader.ReadNext(graph)) {
      ASSERT_LT(at, printer.printed.size());
      const Graph& printed = printer.printed[at++];
      EXPECT_TRUE(reader.labelled());
      EXPECT_TRUE(graph.labelled);
      EXPECT_TRUE(same_graph(graph, printed));
      for (int l = 0; l < n; ++l) EXPECT_EQ(printed.vertex_of_label[l], graph.vertex_of_label[l]) << "label " << l + 1;
    }
    EXPECT_EQ(printer.printed.size(), at);
  }
}

TEST(BinaryGraphReader, LabelledZeroFourBytes) {
  BinaryGraphReader reader(StreamOfBytes({1, 1, 0, 4, 0, 0, 0, 0, 0, 2, 0, 0, 2, 2, 0, 0, 1, 0, 1, 1, 0, 0}));
  Graph graph(-1, -1, -1);
  ASSERT_TRUE(reader.ReadNext(graph));
  EXPECT_EQ(std::vector<int>({1, 2, 3, 4}), graph.LabelsAt(0));
  ASSERT_TRUE(reader.ReadNext(graph));
  EXPECT_EQ(std::vector<int>({1, 4}), graph.LabelsAt(0));
  EXPECT_EQ(std::vector<int>({2, 3}), graph.LabelsAt(1));
  EXPECT_FALSE(reader.ReadNext(graph));
}

namespace {

/// The bytes of a stream of one graph of type (0, 33) not in the tool's
/// form: a chain in the order it is built.
std::vector<int> chain_stream() {
  const int K = 31;
  std::vector<int> bytes = {0, K};
  bytes.insert(bytes.end(), K, 0);
  for (int v = 0; v < K; ++v) bytes.push_back(v == 0 || v == K - 1 ? 2 : 1);
  bytes.insert(bytes.end(), K, 0);
  for (int i = 0; i < K; ++i)
    for (int k = i + 1; k < K; ++k) bytes.push_back(k == i + 1);
  bytes.push_back(0);
  return bytes;
}

/// The graphs a reader reads on from where it is, or the error it meets.
std::string read_rest(BinaryGraphReader& reader) {
  std::string read;
  try {
    Graph graph(-1, -1, -1);
    while (reader.ReadNext(graph)) read += std::to_string(graph.K) + "," + std::to_string(graph.codimension) + " ";
  } catch (const BinaryStreamError& error) {
    read += std::string("error: ") + error.what();
  }
  return read;
}

}  // namespace

// A copy is the same reader: the same settings, the same stream, the same
// checks of what was read before it.
TEST(BinaryGraphReader, CopyKeepsSettingsStreamAndChecks) {
  {
    BinaryGraphReader any_form(StreamOfBytes(chain_stream()));
    any_form.AllowAnyFormAndOrder();
    BinaryGraphReader copy(any_form);
    EXPECT_EQ("31,30 ", read_rest(copy));
    // The copy read the shared stream to its end and closed it.
    EXPECT_EQ("error: the graph stream was already read and closed", read_rest(any_form));
  }
  {
    BinaryGraphReader strict(StreamOfBytes(chain_stream()));
    BinaryGraphReader copy(strict);
    std::string refused = read_rest(copy);
    EXPECT_NE(std::string::npos, refused.find("is not in the tool's form")) << refused;
  }
  // A copy made half-way reads on where the original stopped, and the
  // file the original opened stays open for it after the original is gone.
  std::string path = ::testing::TempDir() + "/reader_copy_test.bin";
  {
    FILE* file = fopen(path.c_str(), "wb");
    ASSERT_NE(nullptr, file);
    BinaryGraphPrinter printer(file, 3, 1);
    BoundaryComputer computer(3, 1);
    computer.Compute(printer, StatisticsNone);
    fclose(file);
  }
  BinaryGraphReader whole(path.c_str());
  std::string all = read_rest(whole);
  auto* original = new BinaryGraphReader(path.c_str());
  Graph graph(-1, -1, -1);
  std::string first;
  for (int i = 0; i < 5; ++i) {
    ASSERT_TRUE(original->ReadNext(graph));
    first += std::to_string(graph.K) + "," + std::to_string(graph.codimension) + " ";
  }
  BinaryGraphReader copy(*original);
  delete original;
  std::string rest = read_rest(copy);
  EXPECT_EQ(std::string::npos, rest.find("error")) << rest;
  EXPECT_EQ(all, first + rest);
  EXPECT_GT(rest.size(), first.size());
  remove(path.c_str());
}
