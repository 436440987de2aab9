// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "checkpoint/checkpoint_file.h"

#include <gtest/gtest.h>
#include <stdio.h>
#include <unistd.h>

#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "checkpoint/checkpoint_options.h"
#include "computer/boundary_computer.h"
#include "labelled/labelling_printer.h"
#include "printers/dot_graph_printer.h"
#include "printers/euler_check_printer.h"
#include "printers/json_graph_printer.h"
#include "stream/binary_graph_printer.h"
#include "printers/latex_graph_printer.h"
#include "printers/null_graph_printer.h"
#include "printers/text_graph_printer.h"
#include "testing/sample_run_state.h"

namespace {

TEST(CheckpointOptionsTest, TakesTheOptionsAnywhere) {
  char program[] = "stable-graphs", p[] = "-P", b[] = "B", cp[] = "--checkpoint", file[] = "run.cp",
       every[] = "--checkpoint-interval", seconds[] = "2.5", five[] = "5", output[] = "--output", out[] = "m.bin";
  std::vector<char*> args = {program, p, cp, file, b, every, seconds, five, output, out};
  CheckpointOptions options;
  EXPECT_EQ("", TakeCheckpointOptions(args, options));
  EXPECT_EQ((std::vector<char*>{program, p, b, five}), args);
  EXPECT_EQ("run.cp", options.path);
  EXPECT_EQ(2.5, options.interval_seconds);
  EXPECT_EQ("m.bin", options.output);

  char bad[] = "soon", empty[] = "";
  for (std::vector<char*> wrong : {std::vector<char*>{program, cp}, std::vector<char*>{program, every, bad},
                                   std::vector<char*>{program, cp, empty}, std::vector<char*>{program, output}}) {
    CheckpointOptions ignored;
    std::string problem = TakeCheckpointOptions(wrong, ignored);
    EXPECT_NE("", problem);
    EXPECT_EQ(std::string::npos, problem.find('\n'));
  }
}

/// Records every state, with the length the output had when it was taken.
class EveryState : public RunJournal {
 public:
  explicit EveryState(FILE* out) : out_(out) {}
  bool Due() override { return true; }
  void Record(const RunState& state) override {
    fflush(out_);
    states.push_back(state);
    lengths.push_back(ftell(out_));
  }
  std::vector<RunState> states;
  std::vector<long> lengths;

 private:
  FILE* out_;
};

/// A printer of one -P letter with its resumable part.
struct MadePrinter {
  std::unique_ptr<GraphPrinter> printer;
  ResumablePrinter* resumable;
};

template <typename Printer>
MadePrinter with_state(std::unique_ptr<Printer> printer) {
  ResumablePrinter* resumable = &ResumablePrinter::Stateless();
  if constexpr (std::is_base_of_v<ResumablePrinter, Printer>) resumable = printer.get();
  return MadePrinter{std::move(printer), resumable};
}

MadePrinter make_printer(char kind, FILE* out, int g, int n) {
  if (kind == 'L') return with_state(std::make_unique<LaTeXGraphPrinter>(out, g, n));
  if (kind == 'D') return with_state(std::make_unique<DotGraphPrinter>(out));
  if (kind == 'J') return with_state(std::make_unique<JsonGraphPrinter>(out));
  if (kind == 'N') return with_state(std::make_unique<NullGraphPrinter>());
  if (kind == 'T') return with_state(std::make_unique<TextGraphPrinter>(out, g, n));
  return with_state(std::make_unique<BinaryGraphPrinter>(out, g, n));
}

std::string contents(FILE* file) {
  fflush(file);
  std::string text(static_cast<size_t>(ftell(file)), '\0');
  rewind(file);
  size_t read = fread(&text[0], 1, text.size(), file);
  text.resize(read);
  return text;
}

// A run resumed from any state it recorded, in a fresh enumerator and
// printer, writes exactly the rest of the uninterrupted run's output and
// ends with the same counters.
TEST(CheckpointResumeTest, EveryRecordedStateResumesToTheSameRun) {
  struct Case {
    int g, n;
    std::optional<int> codimension;
    char printer;
  };
  const std::nullopt_t all = std::nullopt;
  for (const Case& c : {Case{3, 1, all, 'L'}, Case{2, 3, all, 'T'}, Case{4, 0, all, 'B'}, Case{3, 2, 5, 'L'},
                        Case{0, 7, all, 'B'}, Case{1, 4, all, 'D'}, Case{3, 1, 4, 'J'}}) {
    // The pruned search splits its tasks, and runs them a small window at a
    // time here: states fall within windows and between them.
    for (SearchKind search : {SearchKind::kStored, SearchKind::kPruned}) {
      SCOPED_TRACE(static_cast<int>(search));
      FILE* whole = tmpfile();
      ASSERT_NE(nullptr, whole);
      EveryState journal(whole);
      SearchSettings settings;
      settings.journal = &journal;
      settings.search = search;
      settings.task_window = 5;
      settings.print_batch = 7;  // many flushes within a pass
      settings.codimension = c.codimension;
      BoundaryComputer computer(c.g, c.n, settings);
      MadePrinter printer = make_printer(c.printer, whole, c.g, c.n);
      computer.Compute(*printer.printer, *printer.resumable, StatisticsNone);
      std::string want = contents(whole);
      fclose(whole);
      ASSERT_GT(journal.states.size(), 3u);
      bool inside_a_pass = false;
      for (size_t k = 0; k < journal.states.size(); ++k) {
        inside_a_pass = inside_a_pass || journal.states[k].tasks_done > 0;
        FILE* rest = tmpfile();
        SearchSettings resumed_settings;
        resumed_settings.resume = &journal.states[k];
        resumed_settings.search = search;
        resumed_settings.task_window = 5;
        resumed_settings.codimension = c.codimension;
        BoundaryComputer resumed(c.g, c.n, resumed_settings);
        MadePrinter resumed_printer = make_printer(c.printer, rest, c.g, c.n);
        resumed.Compute(*resumed_printer.printer, *resumed_printer.resumable, StatisticsNone);
        EXPECT_EQ(want.substr(static_cast<size_t>(journal.lengths[k])), contents(rest))
            << "(" << c.g << ", " << c.n << ") -P " << c.printer << " state " << k;
        fclose(rest);
        const SearchCounters &whole_run = computer.counters(), &resumed_run = resumed.counters();
        EXPECT_EQ(whole_run.tried, resumed_run.tried);
        EXPECT_EQ(whole_run.found, resumed_run.found);
        EXPECT_EQ(whole_run.duplicated, resumed_run.duplicated);
        EXPECT_EQ(whole_run.unconnected, resumed_run.unconnected);
        EXPECT_EQ(whole_run.found_per_codimension, resumed_run.found_per_codimension);
      }
      EXPECT_TRUE(inside_a_pass) << "states between tasks, not only between passes";
    }
  }
}

TEST(CheckpointResumeTest, StateOfAnotherTypeIsRefused) {
  RunState state = SampleRunState();
  SearchSettings settings;
  settings.resume = &state;
  BoundaryComputer computer(2, 0, settings);
  FILE* out = tmpfile();
  TextGraphPrinter printer(out, 2, 0);
  EXPECT_THROW(computer.Compute(printer, StatisticsNone), std::invalid_argument);
  fclose(out);
}

/// The printers of a run as the front end puts them together: the
/// labelled graphs made from the search's when they are printed, the Euler
/// sums taken over what is printed.
struct PrinterChain {
  PrinterChain(char kind, FILE* out, int g, int n, bool euler_check, bool labelled)
      : made(make_printer(kind, out, g, n)), euler(*made.printer, *made.resumable, 2),
        labelling(euler_check ? static_cast<GraphPrinter&>(euler) : *made.printer,
                  euler_check ? static_cast<ResumablePrinter&>(euler) : *made.resumable) {
    expand = labelled && kind != 'N';
    euler.count_labelled_graphs = labelled && !expand;
    first = expand ? static_cast<GraphPrinter*>(&labelling)
                   : euler_check ? static_cast<GraphPrinter*>(&euler) : made.printer.get();
    first_state = expand ? static_cast<ResumablePrinter*>(&labelling)
                         : euler_check ? static_cast<ResumablePrinter*>(&euler) : made.resumable;
  }
  MadePrinter made;
  EulerCheckPrinter euler;
  LabellingPrinter labelling;
  bool expand;
  GraphPrinter* first;
  ResumablePrinter* first_state;
};

/// A run of the search with every state recorded.
struct RecordedRun {
  int g, n;
  std::optional<int> codimension;
  char printer;
  bool euler, labelled;
};

std::vector<RunState> record_states(const RecordedRun& run) {
  FILE* out = tmpfile();
  EveryState journal(out);
  SearchSettings settings;
  settings.journal = &journal;
  settings.count_labelled = run.labelled;
  settings.print_batch = 5;
  settings.codimension = run.codimension;
  BoundaryComputer computer(run.g, run.n, settings);
  PrinterChain chain(run.printer, out, run.g, run.n, run.euler, run.labelled);
  computer.Compute(*chain.first, *chain.first_state, StatisticsNone);
  fclose(out);
  return journal.states;
}

/// What a fresh enumerator of the run finds wrong with a state.
std::string resume_problem(const RecordedRun& run, const RunState& state) {
  FILE* out = tmpfile();
  SearchSettings settings;
  settings.count_labelled = run.labelled;
  settings.resume = &state;
  settings.codimension = run.codimension;
  BoundaryComputer computer(run.g, run.n, settings);
  PrinterChain chain(run.printer, out, run.g, run.n, run.euler, run.labelled);
  std::string problem = computer.ResumeProblem(*chain.first_state);
  fclose(out);
  return problem;
}

/// Changes one value of `state` in each of many ways, each a state no
/// run writes: `forge` gets a description and the changed state.
template <typename Forge>
void forge_counters(const RunState& state, bool filtered, Forge forge) {
  using Counters = std::vector<int64_t> RunState::*;
  const std::pair<const char*, Counters> rows[] = {{"tried", &RunState::tried},
                                                   {"unconnected", &RunState::unconnected},
                                                   {"duplicated", &RunState::duplicated},
                                                   {"found", &RunState::found},
                                                   {"codimensions", &RunState::found_per_codimension}};
  for (const auto& row : rows) {
    for (size_t k = 0; k < (state.*row.second).size(); ++k) {
      for (int64_t change : {1, -1}) {
        RunState forged = state;
        int64_t& value = (forged.*row.second)[k];
        if (value + change < 0) continue;
        value += change;
        forge(std::string(row.first) + "[" + std::to_string(k) + "] " + (change > 0 ? "+1" : "-1"), forged);
      }
    }
  }
  using Words = std::vector<std::string> RunState::*;
  for (Words words : {&RunState::labelled_found, &RunState::labelled_per_codimension}) {
    for (size_t k = 0; k < (state.*words).size(); ++k) {
      RunState forged = state;
      mpz_class value((forged.*words)[k], 10);
      (forged.*words)[k] = mpz_class(value + 1).get_str();
      forge("labelled count " + std::to_string(k) + " +1", forged);
    }
  }
  RunState forged = state;
  forged.pass_printed = !forged.pass_printed;
  forge("pass printed flag flipped", forged);
  forged = state;
  forged.complete = !forged.complete;
  forge("complete flag flipped", forged);
  forged = state;
  forged.tasks_done += 1000000;
  forge("tasks done beyond the pass", forged);
  // An edge filter can leave passes without graphs, and some tasks try no
  // candidate: a pass moved on by one with tasks done in it, or any pass
  // moved under a filter, can be a state some run writes.
  for (int change : {1, -1}) {
    if (filtered || state.pass + change < 0 || (change > 0 && state.tasks_done > 0)) continue;
    forged = state;
    forged.pass += change;
    forge("pass " + std::string(change > 0 ? "+1" : "-1"), forged);
  }
}

/// The Euler part of a printer state taken apart: what precedes it, the
/// graphs counted, and its "key:count" entries.
struct EulerPart {
  std::string printer, graphs;
  std::vector<std::string> keys, counts;
  std::string Join() const {
    std::string out = printer + std::string(1, '\0') + graphs + " " + std::to_string(keys.size());
    for (size_t i = 0; i < keys.size(); ++i) out += " " + keys[i] + ":" + counts[i];
    return out;
  }
};

EulerPart split_euler(const std::string& state) {
  EulerPart part;
  size_t split = state.find('\0');
  part.printer = state.substr(0, split);
  std::istringstream in(state.substr(split + 1));
  size_t entries;
  in >> part.graphs >> entries;
  for (std::string word; in >> word;) {
    part.keys.push_back(word.substr(0, word.find(':')));
    part.counts.push_back(word.substr(word.find(':') + 1));
  }
  return part;
}

template <typename Forge>
void forge_euler(const RunState& state, Forge forge) {
  EulerPart part = split_euler(state.printer_state);
  RunState forged = state;
  EulerPart changed = part;
  changed.graphs = mpz_class(mpz_class(part.graphs, 10) + 1).get_str();
  forged.printer_state = changed.Join();
  forge("Euler graphs +1", forged);
  for (size_t i = 0; i < part.keys.size(); ++i) {
    changed = part;
    changed.counts[i] = mpz_class(mpz_class(part.counts[i], 10) + 1).get_str();
    forged.printer_state = changed.Join();
    forge("Euler count " + std::to_string(i) + " +1", forged);
    // Codimension, component count, then (genus, valence) per component:
    // each byte moved by one breaks the key or the type; the order that
    // follows is any positive number, and only 0 breaks it.
    int K = std::stoi(part.keys[i].substr(2, 2), nullptr, 16);
    for (int byte = 0; byte < 2 + 2 * K; ++byte) {
      for (int change : {1, -1}) {
        changed = part;
        int value = std::stoi(part.keys[i].substr(2 * byte, 2), nullptr, 16) + change;
        if (value < 0 || value > 255) continue;
        char hex[3];
        snprintf(hex, sizeof(hex), "%02x", value);
        changed.keys[i].replace(2 * byte, 2, hex);
        forged.printer_state = changed.Join();
        forge("Euler key " + std::to_string(i) + " byte " + std::to_string(byte) + (change > 0 ? " +1" : " -1"),
              forged);
      }
    }
    changed = part;
    size_t order_at = 2 * (2 + 2 * static_cast<size_t>(K));
    if (changed.keys[i].substr(order_at, 2) == "00") {
      changed.keys[i].replace(order_at + 2, 16, std::string(16, '0'));
      forged.printer_state = changed.Join();
      forge("Euler key " + std::to_string(i) + " order 0", forged);
    }
    changed = part;
    changed.keys[i].resize(changed.keys[i].size() - 2);
    forged.printer_state = changed.Join();
    forge("Euler key " + std::to_string(i) + " cut short", forged);
  }
}

// Every state a run records passes the checks; every state changed in one
// value (as a forger would, with the checksum made again) is refused.  A
// change that keeps the state consistent (a task more or less done, an
// automorphism order) cannot be told from a real state and is not tried.
TEST(CheckpointResumeTest, RecordedStatesPassAndForgedOnesAreRefused) {
  const std::nullopt_t all = std::nullopt;
  const RecordedRun runs[] = {{2, 2, all, 'L', true, false}, {2, 1, all, 'N', true, true},
                              {1, 3, all, 'T', true, true},  {3, 0, all, 'D', false, false},
                              {2, 3, all, 'B', false, true}, {3, 1, 3, 'L', true, false},
                              {1, 4, all, 'J', true, true},  {2, 2, 3, 'D', false, true}};
  for (const RecordedRun& run : runs) {
    std::vector<RunState> states = record_states(run);
    ASSERT_GT(states.size(), 3u);
    size_t forgeries = 0;
    for (size_t k = 0; k < states.size(); ++k) {
      const RunState& state = states[k];
      std::string where = "(" + std::to_string(run.g) + ", " + std::to_string(run.n) + ") -P " + run.printer +
                          (run.euler ? " -E" : "") + (run.labelled ? " -L" : "") + " state " + std::to_string(k);
      EXPECT_EQ("", resume_problem(run, state)) << where;
      auto refused = [&](const std::string& change, const RunState& forged) {
        ++forgeries;
        EXPECT_NE("", resume_problem(run, forged)) << where << ": " << change;
      };
      forge_counters(state, run.codimension.has_value(), refused);
      if (run.euler && state.pass > 0) forge_euler(state, refused);
      if (run.printer == 'L' && state.pass > 0) {
        RunState forged = state;
        size_t split = forged.printer_state.find('\0');
        std::string table = forged.printer_state.substr(0, split);
        std::string rest = split == std::string::npos ? "" : forged.printer_state.substr(split);
        int section = std::stoi(table), number = std::stoi(table.substr(table.find(' ') + 1));
        forged.printer_state = std::to_string(section) + " " + std::to_string(number + 100000) + rest;
        refused("table number beyond the graphs printed", forged);
        forged.printer_state = "99 " + std::to_string(number) + rest;
        refused("table section beyond the codimensions", forged);
      }
      size_t split = state.printer_state.find('\0');
      std::string last_id = state.printer_state.substr(0, split);
      if ((run.printer == 'D' || run.printer == 'J') && !last_id.empty()) {
        // The last Id: "components codimension number".
        RunState forged = state;
        std::istringstream id(last_id);
        std::string rest = split == std::string::npos ? "" : state.printer_state.substr(split);
        int components, codimension, number;
        ASSERT_TRUE(id >> components >> codimension >> number) << where;
        auto forge_id = [&](int k, int c, int i, const char* change) {
          forged.printer_state = std::to_string(k) + " " + std::to_string(c) + " " + std::to_string(i) + rest;
          refused(change, forged);
        };
        forge_id(components, codimension, number + 100000, "Id number beyond the graphs printed");
        forge_id(components + 1, codimension, 1, "Id of a pass not begun");
        if (components > 1) forge_id(components - 1, codimension, number, "Id of an earlier pass");
        forge_id(components, 99, number, "Id of a codimension beyond the type");
        forged.printer_state = rest;
        refused("Id numbering at its start", forged);
      }
    }
    EXPECT_GT(forgeries, 100u);
  }
}

TEST(CheckpointResumeTest, TypeWithoutGraphsHasNoState) {
  RunState state;
  EXPECT_NE("", resume_problem({0, 2, std::nullopt, 'T', false, false}, state));
  // The smallest type with graphs has a state, which an empty one is not.
  RecordedRun smallest{0, 3, std::nullopt, 'T', false, false};
  EXPECT_NE("", resume_problem(smallest, state));
  for (const RunState& recorded : record_states(smallest)) EXPECT_EQ("", resume_problem(smallest, recorded));
}

}  // namespace
