// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "graph/pass_batcher.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

/// Remembers each call as the (codimension, number) of its graphs in the
/// order the printer walks them; the number is kept in g.
class CallRecorder : public GraphPrinter {
 public:
  void BeginPrint() override {}
  void EndPrint() override {}
  void PrintSomeGraph(const GraphsByCodimension& graphs) override {
    calls.emplace_back();
    for (auto& entry : graphs) {
      for (const Graph* graph : entry.second) {
        EXPECT_EQ(entry.first, graph->codimension);
        calls.back().emplace_back(graph->codimension, graph->g);
      }
    }
  }
  std::vector<std::vector<std::pair<int, int>>> calls;
};

// Graph `number` of a pass, of codimension `codimension`.
void Add(PassBatcher& batcher, int number, int codimension) {
  Graph& graph = batcher.Next();
  graph = Graph(number, 0, 1);
  graph.codimension = static_cast<int8_t>(codimension);
}

}  // namespace

TEST(PassBatcher, ASmallPassArrivesInOneCallByCodimension) {
  CallRecorder printer;
  PassBatcher batcher(printer, 4);
  batcher.StartPass();
  Add(batcher, 0, 2);
  Add(batcher, 1, 1);
  Add(batcher, 2, 2);
  Add(batcher, 3, 1);
  EXPECT_TRUE(printer.calls.empty()) << "a full batch waits for the next graph or the end of the pass";
  batcher.EndPass();
  ASSERT_EQ(1u, printer.calls.size());
  std::vector<std::pair<int, int>> expected = {{1, 1}, {1, 3}, {2, 0}, {2, 2}};
  EXPECT_EQ(expected, printer.calls[0]);
  EXPECT_TRUE(batcher.PassHandedOver());
}

TEST(PassBatcher, APassWithoutGraphsMakesOneEmptyCall) {
  CallRecorder printer;
  PassBatcher batcher(printer, 4);
  for (int pass = 0; pass < 3; ++pass) {
    batcher.StartPass();
    EXPECT_FALSE(batcher.PassHandedOver());
    batcher.EndPass();
  }
  ASSERT_EQ(3u, printer.calls.size());
  for (const auto& call : printer.calls) EXPECT_TRUE(call.empty());
}

TEST(PassBatcher, ALargePassArrivesInConsecutiveFullCalls) {
  CallRecorder printer;
  PassBatcher batcher(printer, 3);
  batcher.StartPass();
  for (int number = 0; number < 7; ++number) Add(batcher, number, 1 + number % 2);
  EXPECT_EQ(2u, printer.calls.size());
  batcher.EndPass();
  ASSERT_EQ(3u, printer.calls.size());
  std::vector<std::pair<int, int>> first = {{1, 0}, {1, 2}, {2, 1}};
  std::vector<std::pair<int, int>> second = {{1, 4}, {2, 3}, {2, 5}};
  std::vector<std::pair<int, int>> third = {{1, 6}};
  EXPECT_EQ(first, printer.calls[0]);
  EXPECT_EQ(second, printer.calls[1]);
  EXPECT_EQ(third, printer.calls[2]);
}

TEST(PassBatcher, APassOfExactlyFullBatchesMakesNoEmptyCallAtItsEnd) {
  CallRecorder printer;
  PassBatcher batcher(printer, 2);
  batcher.StartPass();
  for (int number = 0; number < 4; ++number) Add(batcher, number, 0);
  batcher.EndPass();
  ASSERT_EQ(2u, printer.calls.size());
  EXPECT_EQ(2u, printer.calls[1].size());
}

TEST(PassBatcher, HandOverCallsEvenWhenEmptyAndCountsForThePass) {
  CallRecorder printer;
  PassBatcher batcher(printer, 5);
  batcher.StartPass();
  Add(batcher, 0, 0);
  batcher.HandOver();
  batcher.HandOver();
  batcher.EndPass();
  ASSERT_EQ(2u, printer.calls.size()) << "the pass made its calls: no empty one at its end";
  EXPECT_EQ(1u, printer.calls[0].size());
  EXPECT_TRUE(printer.calls[1].empty());
}

TEST(PassBatcher, APassTakenUpAfterACallMakesNoEmptyOne) {
  CallRecorder printer;
  PassBatcher batcher(printer, 5);
  batcher.StartPass(true);
  EXPECT_TRUE(batcher.PassHandedOver());
  batcher.EndPass();
  EXPECT_TRUE(printer.calls.empty());
}

// A caller that fills the same graph again changes only what differs: the
// record at the same place keeps what it held, batch after batch.
TEST(PassBatcher, RecordsKeepTheirPlaceAndContents) {
  CallRecorder printer;
  PassBatcher batcher(printer, 2);
  batcher.StartPass();
  Graph& first = batcher.Next();
  first = Graph(7, 3, 1);
  first.codimension = 4;
  EXPECT_EQ(0u, batcher.LastPlace());
  Graph& second = batcher.Next();
  EXPECT_EQ(1u, batcher.LastPlace());
  EXPECT_EQ(-1, second.g) << "a new record";
  second = Graph(8, 3, 1);
  Graph& again = batcher.Next();
  EXPECT_EQ(0u, batcher.LastPlace());
  EXPECT_EQ(&first, &again);
  EXPECT_EQ(7, again.g);
  EXPECT_EQ(4, again.codimension);
  batcher.EndPass();
  ASSERT_EQ(2u, printer.calls.size());
  std::vector<std::pair<int, int>> last = {{4, 7}};
  EXPECT_EQ(last, printer.calls[1]);
}

TEST(PassBatcher, ABatchOfNoneIsABatchOfOne) {
  CallRecorder printer;
  PassBatcher batcher(printer, 0);
  batcher.StartPass();
  for (int number = 0; number < 3; ++number) Add(batcher, number, 0);
  batcher.EndPass();
  ASSERT_EQ(3u, printer.calls.size());
  for (const auto& call : printer.calls) EXPECT_EQ(1u, call.size());
}

TEST(PassBatcher, ReleasedRecordsAreMadeAgain) {
  CallRecorder printer;
  PassBatcher batcher(printer, 3);
  batcher.StartPass();
  Add(batcher, 5, 1);
  batcher.EndPass();
  batcher.Release();
  batcher.StartPass();
  EXPECT_EQ(-1, batcher.Next().g);
  batcher.EndPass();
  ASSERT_EQ(2u, printer.calls.size());
  EXPECT_EQ(1u, printer.calls[1].size());
}
