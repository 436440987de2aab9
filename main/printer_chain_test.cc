// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "main/printer_chain.h"

#include <gtest/gtest.h>
#include <stdio.h>

#include <string>

#include "computer/boundary_computer.h"
#include "printers/latex_graph_printer.h"

namespace {

PrinterChainSetup setup_of(Format format, FILE* out, int g, int n) {
  PrinterChainSetup setup;
  setup.format = format;
  setup.output = out;
  setup.g = g;
  setup.n = n;
  return setup;
}

/// The state `chain` records after a run of type (g, n) through it.
std::string state_after_run(PrinterChain& chain, int g, int n) {
  BoundaryComputer computer(g, n);
  computer.Compute(chain.head(), chain.resumable(), StatisticsNone);
  return chain.resumable().State();
}

}  // namespace

// The chain's state is that of the format's printer at its end, handed on
// through every printer between: the LaTeX table's place after the run.
TEST(PrinterChain, StateIsTheFormatPrintersThroughTheChain) {
  FILE* out = tmpfile();
  ASSERT_NE(nullptr, out);
  PrinterChain chain(setup_of(Format::kLaTeX, out, 2, 1));
  std::string state = state_after_run(chain, 2, 1);

  FILE* alone_out = tmpfile();
  ASSERT_NE(nullptr, alone_out);
  LaTeXGraphPrinter alone(alone_out, 2, 1);
  BoundaryComputer computer(2, 1);
  computer.Compute(alone, alone, StatisticsNone);
  EXPECT_EQ(alone.State(), state);
  EXPECT_NE(LaTeXGraphPrinter(alone_out, 2, 1).State(), state) << "the table moved on";
  fclose(alone_out);
  fclose(out);
}

// With -E the sums ride along: the chain's state is the Euler check's,
// the format's state, a NUL byte, then the sums.
TEST(PrinterChain, EulerCheckAddsItsSumsToTheState) {
  FILE* out = tmpfile();
  ASSERT_NE(nullptr, out);
  PrinterChainSetup setup = setup_of(Format::kJson, out, 1, 3);
  setup.euler_check = true;
  PrinterChain chain(setup);
  std::string state = state_after_run(chain, 1, 3);
  ASSERT_NE(nullptr, chain.euler());
  EXPECT_EQ(chain.euler()->State(), state);
  size_t nul = state.find('\0');
  ASSERT_NE(std::string::npos, nul);
  EXPECT_EQ(chain.checked().State(), state.substr(0, nul));
  EXPECT_NE("", state.substr(0, nul)) << "the JSON Ids' numbering";
  fclose(out);
}

// A state taken up by a fresh chain is the one it then records.
TEST(PrinterChain, FreshChainTakesUpTheState) {
  FILE* out = tmpfile();
  ASSERT_NE(nullptr, out);
  PrinterChainSetup setup = setup_of(Format::kDot, out, 2, 0);
  setup.euler_check = true;
  PrinterChain chain(setup);
  std::string state = state_after_run(chain, 2, 0);
  PrinterChain fresh(setup);
  EXPECT_NE(state, fresh.resumable().State());
  ASSERT_TRUE(fresh.resumable().RestoreState(state));
  EXPECT_EQ(state, fresh.resumable().State());
  EXPECT_FALSE(fresh.resumable().RestoreState("not a state"));
  EXPECT_EQ(state, fresh.resumable().State()) << "a refused state changes nothing";
  fclose(out);
}

// Formats that write graph by graph without a table carry nothing.
TEST(PrinterChain, PlainFormatsCarryNothing) {
  for (Format format : {Format::kText, Format::kBinary, Format::kSage, Format::kNone}) {
    FILE* out = tmpfile();
    ASSERT_NE(nullptr, out);
    PrinterChain chain(setup_of(format, out, 1, 2));
    EXPECT_EQ("", state_after_run(chain, 1, 2)) << static_cast<int>(format);
    EXPECT_FALSE(chain.resumable().RestoreState("1 0")) << static_cast<int>(format);
    fclose(out);
  }
}

// The poset's printers keep every graph in memory: their state says so,
// and nothing is taken up.
TEST(PrinterChain, PosetFormatsCannotBeResumed) {
  FILE* out = tmpfile();
  ASSERT_NE(nullptr, out);
  PrinterChain chain(setup_of(Format::kHasse, out, 1, 1));
  EXPECT_EQ("unresumable poset printer", chain.resumable().State());
  EXPECT_FALSE(chain.resumable().RestoreState(chain.resumable().State()));
  EXPECT_FALSE(chain.resumable().RestoreState(""));
  fclose(out);
}

// The homology's cells stay in memory; the chain records no state for them.
TEST(PrinterChain, HomologyRecordsNoState) {
  FILE* out = tmpfile();
  ASSERT_NE(nullptr, out);
  PrinterChainSetup setup = setup_of(Format::kLaTeX, out, 1, 2);
  HomologyPrinterSettings homology;
  homology.g = 1;
  homology.n = 2;
  setup.homology = homology;
  PrinterChain chain(setup);
  EXPECT_EQ(&ResumablePrinter::Stateless(), &chain.resumable());
  fclose(out);
}
