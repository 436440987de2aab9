// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "stream/stream_converter.h"

#include <gtest/gtest.h>
#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

#include "computer/boundary_computer.h"
#include "graph/graph.h"
#include "testing/test_support.h"
#include "stream/binary_graph_printer.h"

namespace {

/// One call of PrintSomeGraph as a printer saw it: (codimension, K) of
/// every graph in the order handed over, and the map's keys.
struct Call {
  std::vector<std::pair<int, int>> graphs;
  std::vector<int> keys;
};

/// Records the calls it receives; with `inner`, also writes through it.
class RecordingPrinter : public GraphPrinter {
 public:
  explicit RecordingPrinter(GraphPrinter* inner = nullptr) : inner(inner) {}
  void BeginPrint() override {
    ++begun;
    if (inner) inner->BeginPrint();
  }
  void PrintSomeGraph(const GraphsByCodimension& graphs) override {
    Call call;
    for (auto& entry : graphs) {
      call.keys.push_back(entry.first);
      for (const Graph* graph : entry.second) {
        EXPECT_EQ(entry.first, graph->codimension);
        call.graphs.emplace_back(graph->codimension, graph->K);
        printed.push_back(*graph);
      }
    }
    calls.push_back(call);
    if (inner) inner->PrintSomeGraph(graphs);
  }
  void EndPrint() override {
    ++ended;
    if (inner) inner->EndPrint();
  }

  GraphPrinter* inner;
  int begun = 0, ended = 0;
  std::vector<Call> calls;
  std::vector<Graph> printed;
};

/// Converts the bytes with a fresh converter; the error message, or "".
std::string read_error(const std::vector<int>& bytes) {
  BinaryGraphReader reader(StreamOfBytes(bytes));
  StreamConverter converter(reader);
  RecordingPrinter printer;
  try {
    converter.Start();
    converter.Replay(printer, std::nullopt);
  } catch (const BinaryStreamError& error) {
    return error.what();
  }
  return "";
}

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

}  // namespace

TEST(StreamConverter, ReplaysARunAsTheEnumeratorHandedIt) {
  const int types[][2] = {{0, 6}, {1, 4}, {2, 2}, {3, 1}};
  for (auto [g, n] : types) {
    SCOPED_TRACE("type (" + std::to_string(g) + ", " + std::to_string(n) + ")");
    FILE* f = tmpfile();
    BinaryGraphPrinter binary(f, g, n);
    RecordingPrinter original(&binary);
    BoundaryComputer computer(g, n);
    computer.Compute(original, StatisticsNone);
    rewind(f);

    BinaryGraphReader reader(f);
    StreamConverter converter(reader);
    converter.Start();
    EXPECT_TRUE(converter.has_graphs);
    EXPECT_EQ(g, converter.g);
    EXPECT_EQ(n, converter.n);
    RecordingPrinter replayed;
    converter.Replay(replayed, std::nullopt);
    EXPECT_EQ(1, replayed.begun);
    EXPECT_EQ(1, replayed.ended);
    // The enumerator calls once per pass, also for passes that stored
    // nothing; the replay calls once per component count that has graphs.
    std::vector<Call> nonempty;
    for (const Call& call : original.calls)
      if (!call.graphs.empty()) nonempty.push_back(call);
    ASSERT_EQ(nonempty.size(), replayed.calls.size());
    for (size_t c = 0; c < nonempty.size(); ++c) {
      EXPECT_EQ(nonempty[c].graphs, replayed.calls[c].graphs) << "call " << c;
      EXPECT_EQ(nonempty[c].keys, replayed.calls[c].keys) << "call " << c;
    }
    ASSERT_EQ(original.printed.size(), replayed.printed.size());
    for (size_t i = 0; i < original.printed.size(); ++i)
      EXPECT_EQ(original.printed[i].codimension, replayed.printed[i].codimension) << "graph " << i;
  }
}

TEST(StreamConverter, EdgeFilterKeepsTheCallsPerComponentCount) {
  // Type (0, 5): K = 1, 2, 3 with codimensions 0, 1, 2.
  std::vector<int> bytes = {0, 1, 0, 5, 0, 2, 0, 0, 2, 3, 0, 0, 1, 3, 0, 0, 0, 1, 2, 2, 0, 0, 0, 1, 1, 0, 0};
  BinaryGraphReader reader(StreamOfBytes(bytes));
  StreamConverter converter(reader);
  converter.Start();
  RecordingPrinter printer;
  converter.Replay(printer, 1);
  ASSERT_EQ(3u, printer.calls.size());
  EXPECT_TRUE(printer.calls[0].graphs.empty());
  EXPECT_EQ((std::vector<std::pair<int, int>>{{1, 2}}), printer.calls[1].graphs);
  EXPECT_TRUE(printer.calls[2].graphs.empty());
}

TEST(StreamConverter, LargePassesArriveInBatchesInStreamOrder) {
  FILE* f = tmpfile();
  BinaryGraphPrinter binary(f, 2, 3);
  RecordingPrinter original(&binary);
  BoundaryComputer computer(2, 3);
  computer.Compute(original, StatisticsNone);
  rewind(f);
  BinaryGraphReader reader(f);
  StreamConverter converter(reader);
  converter.batch_size = 5;
  converter.Start();
  RecordingPrinter replayed;
  converter.Replay(replayed, std::nullopt);
  ASSERT_EQ(original.printed.size(), replayed.printed.size());
  for (size_t i = 0; i < original.printed.size(); ++i) {
    EXPECT_EQ(original.printed[i].K, replayed.printed[i].K) << i;
    EXPECT_EQ(original.printed[i].codimension, replayed.printed[i].codimension) << i;
    EXPECT_EQ(0, memcmp(original.printed[i].genus, replayed.printed[i].genus, original.printed[i].K)) << i;
  }
  for (const Call& call : replayed.calls) {
    EXPECT_LE(call.graphs.size(), 5u);
    for (size_t k = 1; k < call.graphs.size(); ++k) EXPECT_EQ(call.graphs[0].second, call.graphs[k].second);
  }
}

TEST(StreamConverter, RecordsOutOfOrderAreDamage) {
  // Two-vertex records of type (1, 2) with codimensions 2 and then 1.
  std::string damage = read_error({0, 2, 0, 0, 1, 1, 0, 0, 2, 2, 1, 0, 0, 2, 0, 0, 1, 0});
  EXPECT_TRUE(contains(damage, "codimension 1 comes after one with 2 components and codimension 2")) << damage;
  // A one-vertex record after a two-vertex one.
  damage = read_error({0, 2, 0, 0, 1, 1, 0, 0, 2, 1, 0, 2, 1, 0});
  EXPECT_TRUE(contains(damage, "comes after one with 2 components")) << damage;
}

TEST(StreamConverter, EmptyStream) {
  BinaryGraphReader reader(StreamOfBytes({0, 0}));
  StreamConverter converter(reader);
  converter.Start();
  EXPECT_FALSE(converter.has_graphs);
  RecordingPrinter printer;
  converter.Replay(printer, std::nullopt);
  EXPECT_EQ(1, printer.begun);
  EXPECT_TRUE(printer.calls.empty());
  EXPECT_EQ(1, printer.ended);
}

TEST(StreamConverter, DamagedStreams) {
  // The reader's own errors come through unchanged.
  EXPECT_TRUE(contains(read_error({0, 1, 0, 4}), "while reading a loop count"));
  // A record of type (0, 4) after one of type (0, 5).
  std::string mixed = read_error({0, 1, 0, 5, 0, 1, 0, 4, 0, 0});
  EXPECT_TRUE(contains(mixed, "damaged")) << mixed;
  EXPECT_TRUE(contains(mixed, "(0, 4)") && contains(mixed, "(0, 5)")) << mixed;
  EXPECT_TRUE(contains(read_error({0, 1, 0xFF, 6, 1, 0}), "negative genus"));
  EXPECT_TRUE(contains(read_error({0, 1, 0, 0xFE, 2, 0}), "negative marked-point count"));
  EXPECT_TRUE(contains(read_error({0, 1, 1, 1, 0xFF, 0}), "negative loop count"));
  EXPECT_TRUE(contains(read_error({0, 2, 1, 1, 0, 0, 0, 0, 0xFF, 0}), "negative edge multiplicity"));
  std::string unstable = read_error({0, 1, 0, 2, 0, 0});
  EXPECT_TRUE(contains(unstable, "unstable vertex 0 of genus 0 with 2 special points")) << unstable;
  EXPECT_TRUE(contains(read_error({0, 1, 0, 4, 0, 0, 0}), "bytes follow the end marker"));
  EXPECT_EQ("", read_error({0, 1, 0, 4, 0, 0}));
}

TEST(StreamConverter, SettleType) {
  BinaryGraphReader reader(StreamOfBytes({0, 1, 1, 1, 0, 0}));
  StreamConverter with_graphs(reader);
  with_graphs.Start();
  EXPECT_EQ("", with_graphs.SettleType(false, 0, 0, true));
  EXPECT_EQ("", with_graphs.SettleType(true, 1, 1, true));
  std::string problem = with_graphs.SettleType(true, 2, 1, false);
  EXPECT_TRUE(contains(problem, "(1, 1)") && contains(problem, "(2, 1)")) << problem;
  EXPECT_EQ(1, with_graphs.g);
  EXPECT_EQ(1, with_graphs.n);

  BinaryGraphReader empty_reader(StreamOfBytes({0, 0}));
  StreamConverter empty(empty_reader);
  empty.Start();
  EXPECT_EQ("", empty.SettleType(false, 0, 0, false));
  EXPECT_TRUE(contains(empty.SettleType(false, 0, 0, true), "genus [marked_points]"));
  EXPECT_EQ("", empty.SettleType(true, 3, 2, true));
  EXPECT_EQ(3, empty.g);
  EXPECT_EQ(2, empty.n);
}
