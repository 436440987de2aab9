// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "graph/resumable_printer.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "graph/graph_printer.h"

namespace {

/// What a run of one graph of codimension 0 and two of codimension 1 has
/// printed.
PrintedSoFar one_and_two() {
  PrintedSoFar printed;
  printed.g = 1;
  printed.n = 1;
  printed.per_components = {0, 1, 2};
  printed.per_codimension = {1, 2};
  return printed;
}

/// A printer that carries the number of calls it received.
class CountingPrinter : public GraphPrinter, public ResumablePrinter {
 public:
  void BeginPrint() override {}
  void PrintSomeGraph(const GraphsByCodimension&) override { ++calls; }
  void EndPrint() override {}
  std::string State() const override { return std::to_string(calls); }
  bool RestoreState(const std::string& state) override { return state == "0"; }
  std::string RestoredStateProblem(const PrintedSoFar&) const override { return ""; }
  int calls = 0;
};

/// A printer that carries nothing.
class PlainPrinter : public GraphPrinter {
 public:
  void BeginPrint() override {}
  void PrintSomeGraph(const GraphsByCodimension&) override {}
  void EndPrint() override {}
};

}  // namespace

// A wrapper given only the printer must still find its state, or a
// checkpoint of a wrapped LaTeX table would record nothing.
TEST(ResumablePrinter, PartOfAPrinterIsItsOwnStateOrNothing) {
  CountingPrinter counting;
  ResumablePrinter& part = ResumablePartOf(counting);
  EXPECT_EQ(static_cast<ResumablePrinter*>(&counting), &part);
  counting.PrintSomeGraph(GraphsByCodimension());
  EXPECT_EQ("1", part.State());
  PlainPrinter plain;
  EXPECT_EQ(&ResumablePrinter::Stateless(), &ResumablePartOf(plain));
}

// A printer that carries nothing records nothing, and takes up only the
// empty state, so that a checkpoint of another printer is refused.
TEST(ResumablePrinter, StatelessRecordsNothingAndTakesUpOnlyNothing) {
  ResumablePrinter& stateless = ResumablePrinter::Stateless();
  EXPECT_EQ("", stateless.State());
  EXPECT_TRUE(stateless.RestoreState(""));
  EXPECT_FALSE(stateless.RestoreState("1 2"));
  EXPECT_FALSE(stateless.RestoreState(std::string(1, '\0')));
  EXPECT_EQ("", stateless.State()) << "a refused state changes nothing";
  EXPECT_EQ("", stateless.RestoredStateProblem(one_and_two()));
  EXPECT_EQ(&stateless, &ResumablePrinter::Stateless()) << "one shared part";
}

TEST(ResumablePrinter, SectionWithinWhatWasPrintedIsAccepted) {
  PrintedSoFar printed = one_and_two();
  EXPECT_EQ("", SectionProblem(printed, std::nullopt, 0, 1, 1, "the table"));
  EXPECT_EQ("", SectionProblem(printed, std::nullopt, 1, 2, 1, "the table"));
  EXPECT_EQ("", SectionProblem(printed, 1, 1, 1, 1, "the table"));
}

TEST(ResumablePrinter, SectionBeyondWhatWasPrintedIsRefused) {
  PrintedSoFar printed = one_and_two();
  EXPECT_EQ("the table is at graph 3 of codimension 1, of which 2 were printed",
            SectionProblem(printed, std::nullopt, 1, 3, 1, "the table"));
  EXPECT_EQ("the table is at graph 0 of codimension 0, of which 1 were printed",
            SectionProblem(printed, std::nullopt, 0, 0, 1, "the table"));
  EXPECT_EQ("the table is at codimension 2, of which no graph was printed",
            SectionProblem(printed, std::nullopt, 2, 1, 1, "the table"));
  EXPECT_EQ("the table is at codimension 0, of which no graph was printed",
            SectionProblem(printed, 1, 0, 1, 1, "the table"))
      << "outside the codimension printed";
  EXPECT_EQ("the table is at codimension -1, of which no graph was printed",
            SectionProblem(printed, std::nullopt, -1, 1, 1, "the table"));
}

TEST(ResumablePrinter, NothingPrintedLeavesOnlyTheStart) {
  PrintedSoFar nothing;
  EXPECT_EQ("", SectionProblem(nothing, std::nullopt, 1, 0, 1, "the table"));
  EXPECT_EQ("the table is under way, but no graph was printed",
            SectionProblem(nothing, std::nullopt, 1, 1, 1, "the table"));
  EXPECT_EQ("the table is under way, but no graph was printed",
            SectionProblem(one_and_two(), 5, 2, 0, 1, "the table"))
      << "nothing of the codimension printed";
  EXPECT_EQ("", SectionProblem(one_and_two(), 5, 1, 0, 1, "the table"));
}
