// Copyright 2026 The stable-graphs Authors.
#include "printers/binary_graph_reader.h"

#include <errno.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "computer/boundary_computer.h"
#include "labelled/labelling_printer.h"
#include "main/test_support.h"
#include "printers/binary_graph_printer.h"

namespace {

bool descriptor_closed(int fd) { return fcntl(fd, F_GETFD) == -1 && errno == EBADF; }

/// Writes the byte stream and keeps a copy of every graph it writes.
class KeepingPrinter : public GraphPrinter {
 public:
  KeepingPrinter(FILE* file, int g, int n) : binary(file, g, n) {}
  void BeginPrint() override { binary.BeginPrint(); }
  void PrintSomeGraph(GraphsByCodimension& graphs) override {
    binary.PrintSomeGraph(graphs);
    for (auto& entry : graphs)
      for (Graph* graph : entry.second) printed.push_back(*graph);
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
  BinaryGraphReader reader(StreamOfBytes({0, 2, 0, 0, 1, 2, 0, 0, 3, 1, 2, 0, 1, 2, 0, 1, 1, 1, 0, 0, 1, 0}));
  GraphsByComponents& read = reader.Read();
  ASSERT_EQ(2u, read.size());
  ASSERT_EQ(1u, read[1].size());
  ASSERT_EQ(2u, read[2].size());
  EXPECT_EQ(3, read[1][0].g);
  EXPECT_EQ(1, read[1][0].adjacency[0][0]);
  EXPECT_EQ(3, read[2][0].adjacency[1][0]);
  EXPECT_EQ(3, read[2][0].n);
  EXPECT_EQ(1, read[2][1].adjacency[0][1]);
  EXPECT_EQ(1, read[2][1].genus[1]);
}

TEST(BinaryGraphReader, EmptyRunAndClosedStream) {
  FILE* f = StreamOfBytes({0, 0});
  int fd = fileno(f);
  BinaryGraphReader reader(f);
  EXPECT_TRUE(reader.Read().empty());
  EXPECT_TRUE(descriptor_closed(fd));
  EXPECT_THROW(reader.Read(), BinaryStreamError) << "the stream is closed after the first Read";
}

TEST(BinaryGraphReader, LargestRecord) {
  std::vector<int> bytes = {0, 41};
  bytes.insert(bytes.end(), 41, 1);  // genus
  bytes.insert(bytes.end(), 41, 0);  // marked points
  bytes.insert(bytes.end(), 41, 0);  // loops
  bytes.insert(bytes.end(), 41 * 40 / 2 - 1, 0);
  bytes.push_back(1);  // the last pair, (39, 40)
  bytes.push_back(0);  // end marker
  BinaryGraphReader reader(StreamOfBytes(bytes));
  GraphsByComponents& read = reader.Read();
  ASSERT_EQ(1u, read[41].size());
  const Graph& graph = read[41][0];
  EXPECT_EQ(1 - 41 + 41 + 1, graph.g);
  EXPECT_EQ(1, graph.adjacency[39][40]);
  EXPECT_EQ(1, graph.adjacency[40][39]);
  EXPECT_EQ(0, graph.adjacency[38][40]);
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

namespace {

/// One damaged labelled stream of the shared table.
struct LabelledDamage {
  std::vector<int> bytes;
  std::string message;
};

std::vector<LabelledDamage> labelled_damage_table() {
  std::ifstream table(std::string(STABLE_GRAPHS_SOURCE_DIR) + "/printers/labelled_stream_cases.txt");
  std::vector<LabelledDamage> cases;
  std::string line;
  while (std::getline(table, line)) {
    if (line.empty() || line[0] == '#') continue;
    size_t tab = line.find('\t');
    LabelledDamage damage;
    std::istringstream hex(line.substr(0, tab));
    for (std::string byte; hex >> byte;) damage.bytes.push_back(std::stoi(byte, nullptr, 16));
    damage.message = line.substr(tab + 1);
    cases.push_back(damage);
  }
  return cases;
}

}  // namespace

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

TEST(BinaryGraphReader, DamagedLabelledStreamsOfTheSharedTable) {
  std::vector<LabelledDamage> cases = labelled_damage_table();
  ASSERT_GE(cases.size(), 8u);
  for (const LabelledDamage& damage : cases) {
    SCOPED_TRACE(damage.message);
    BinaryGraphReader reader(StreamOfBytes(damage.bytes));
    try {
      reader.Read();
      ADD_FAILURE() << "no error";
    } catch (const BinaryStreamError& e) {
      EXPECT_NE(std::string::npos, std::string(e.what()).find(damage.message)) << e.what();
    }
    EXPECT_TRUE(reader.graphs_by_K.empty());
  }
}
