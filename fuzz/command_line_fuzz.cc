// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
//
// libFuzzer target: ParseOptions on arbitrary argument vectors.  The
// input's NUL bytes end arguments; the program name comes first.  The parser
// must either fill the options exactly as an independent model of the
// command line says, or refuse where the model says so, with one line
// naming the fault (none for no argument at all, which gets the bare usage),
// or note --help and --version where they stand.  Nothing is written, so
// one process tries millions of command lines.
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>

#include <algorithm>
#include <climits>
#include <optional>
#include <string>
#include <vector>

#include "graph/type_capacity.h"
#include "main/options_parser.h"

namespace {

/// Ends the run with a message; libFuzzer keeps the input that got here.
[[noreturn]] void fail(const std::string& what) {
  fprintf(stderr, "command_line_fuzz: %s\n", what.c_str());
  abort();
}

/// What a command line should give: refusal, an answer, or these settings.
struct Outcome {
  bool refused = false;
  bool bare = false;  // refused with the bare usage, no reason
  Request request = Request::kRun;
  int genus = 0, marked_points = 0;
  std::optional<int> edge_filter;
  Format format = Format::kLaTeX;
  Statistics statistics = StatisticsFull;
  bool labelled = false;
  bool euler_check = false;
  ModuliType moduli = ModuliType::kStable;
  bool boundary_complex = false;
  bool homology = false;
  bool whole_complex = false;
  std::string homology_export;
  /// --search as given; not given, the parser picks by the statistics.
  std::optional<SearchKind> search;
  /// A number beyond int: the run is refused in one line, the number held as 0.
  bool beyond_int = false;
};

/// A decimal integer (a sign, digits, nothing else); one beyond int is
/// held as 0 and noted in `beyond_int`.
bool model_number(const std::string& text, int* number, bool* beyond_int) {
  size_t at = 0;
  bool negative = false;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
  if (at == text.size()) return false;
  long long value = 0;
  for (; at < text.size(); ++at) {
    if (text[at] < '0' || text[at] > '9') return false;
    value = value * 10 + (text[at] - '0');
    if (value > 1LL << 40) value = 1LL << 40;  // far beyond int either way
  }
  if (negative) value = -value;
  bool fits = value >= INT_MIN && value <= INT_MAX;
  if (!fits) *beyond_int = true;
  *number = fits ? static_cast<int>(value) : negative ? -1 : 0;  // a negative -C is refused all the same
  return true;
}

Outcome refusal(bool bare = false) {
  Outcome o;
  o.refused = true;
  o.bare = bare;
  return o;
}

/// The command line as the help describes it: options and up to two
/// numbers in any order, the last repeated option winning; --help, -h and
/// --version answer at once.
Outcome model(const std::vector<std::string>& args) {
  if (args.size() < 2) return refusal(true);
  Outcome o;
  int positional = 0;
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg.empty() || arg[0] != '-') {
      int* slot = positional == 0 ? &o.genus : positional == 1 ? &o.marked_points : nullptr;
      if (slot == nullptr || !model_number(arg, slot, &o.beyond_int)) return refusal();
      ++positional;
      continue;
    }
    if (arg == "--help" || arg == "-h" || arg == "--version") {
      o.request = arg == "--version" ? Request::kVersion : Request::kHelp;
      return o;
    }
    if (arg == "--boundary-complex" || arg == "--homology" || arg == "--whole-complex") {
      (arg == "--boundary-complex" ? o.boundary_complex : arg == "--homology" ? o.homology : o.whole_complex) = true;
      continue;
    }
    if (arg == "--homology-export" || arg == "--search") {
      if (i + 1 >= args.size()) return refusal();
      const std::string& value = args[++i];
      if (arg == "--homology-export") {
        if (value.empty()) return refusal();
        o.homology_export = value;
        continue;
      }
      const std::vector<std::string> kinds = {"stored", "orderly", "pruned"};
      auto which = std::find(kinds.begin(), kinds.end(), value);
      if (which == kinds.end()) return refusal();
      o.search = which == kinds.begin() ? SearchKind::kStored
                 : which == kinds.begin() + 1 ? SearchKind::kOrderly : SearchKind::kPruned;
      continue;
    }
    if (arg.size() != 2) return refusal();
    char option = arg[1];
    if (option == 'L' || option == 'E') {
      (option == 'L' ? o.labelled : o.euler_check) = true;
      continue;
    }
    if (option != 'C' && option != 'P' && option != 'S' && option != 'M') return refusal();
    if (i + 1 >= args.size()) return refusal();
    const std::string& value = args[++i];
    if (option == 'M') {
      const std::vector<std::string> names = {"st", "ct", "rt", "tl", "sm"};
      size_t which = 0;
      while (which < names.size() && names[which] != value) ++which;
      if (which == names.size()) return refusal();
      o.moduli = static_cast<ModuliType>(which);
      continue;
    }
    if (option == 'C') {
      int edges = 0;
      if (!model_number(value, &edges, &o.beyond_int) || edges < 0) return refusal();
      o.edge_filter = edges;
      continue;
    }
    if (value.size() != 1) return refusal();
    const std::string letters = option == 'P' ? "LTBJSDNCH" : "FTSN";
    size_t which = letters.find(value[0]);
    if (which == std::string::npos) return refusal();
    if (option == 'P')
      o.format = static_cast<Format>(which);
    else
      o.statistics = which == 0 ? StatisticsFull : which == 1 ? StatisticsTerse : StatisticsNone;
  }
  if (positional == 0) return refusal();  // no genus
  return o;
}

}  // namespace

/// One input: the arguments after the program name, each ended by a NUL byte.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string> args = {"stable-graphs"};
  std::string current;
  for (size_t i = 0; i < size; ++i) {
    if (data[i] != 0) {
      current += static_cast<char>(data[i]);
      continue;
    }
    args.push_back(current);
    current.clear();
  }
  if (!current.empty()) args.push_back(current);
  if (args.size() > 64) return 0;  // longer vectors add nothing but time
  for (const std::string& arg : args)  // the checkpoint options have tests of their own
    if (arg == "--checkpoint" || arg == "--checkpoint-interval" || arg == "--output") return 0;

  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(&arg[0]);
  argv.push_back(nullptr);
  Options got;
  std::string error;
  bool good = ParseOptions(Tool::kEnumerate, static_cast<int>(args.size()), argv.data(), &got, &error);

  Outcome want = model(args);
  if (good == want.refused) fail(want.refused ? "a bad command line was accepted" : "a good command line was refused");
  if (!good) {
    if (want.bare != error.empty()) fail(want.bare ? "no argument, yet a reason" : "refused without a reason");
    for (char c : error)
      if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) fail("a reason with a control character");
    return 0;
  }
  if (got.request != want.request) fail("help or version not recognised");
  if (got.request != Request::kRun) return 0;
  if (got.genus != want.genus || got.marked_points != want.marked_points || got.edge_filter != want.edge_filter ||
      got.format != want.format || got.statistics != want.statistics || got.labelled != want.labelled ||
      got.euler_check != want.euler_check || got.moduli != want.moduli ||
      got.boundary_complex != want.boundary_complex || got.homology != want.homology ||
      got.whole_complex != want.whole_complex || got.homology_export != want.homology_export ||
      got.search_given != want.search.has_value() || got.search != want.search.value_or(SearchFor(want.statistics)))
    fail("settings differ from the model");
  if (got.number_refusal.empty() == want.beyond_int) fail("a number beyond int not refused, or refused within it");
  if (got.number_refusal.find('\n') != std::string::npos) fail("number refusal longer than a line");
  if (want.beyond_int) return 0;

  // What the run does next with the type: nothing, or one line.
  std::optional<long long> edges;
  if (got.edge_filter) edges = *got.edge_filter;
  std::string problem = CapacityProblem(got.genus, got.marked_points, edges);
  long long colored = 3LL * got.genus + got.marked_points - 2 - (got.marked_points < 2 ? 1 : 0);
  if (edges) colored = std::min(colored, *edges + 1);
  bool fits = got.genus >= 0 && got.marked_points >= 0 && got.genus <= 14 && got.marked_points <= 64 && colored <= 32;
  if (fits != problem.empty()) fail("capacity check disagrees: " + problem);
  if (problem.find('\n') != std::string::npos) fail("capacity message longer than a line");
  return 0;
}
