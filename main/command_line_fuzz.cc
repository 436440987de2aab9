// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
//
// libFuzzer target: ParseCommandLine on arbitrary argument vectors.  The
// input's NUL bytes end arguments; the program name comes first.  The parser
// must either set the six settings exactly as an independent model of the
// command line says, or quit where the model says so: for a mistake with one
// line naming the fault, the usage text on standard error and status 1 (the
// usage alone for no argument), for --help and --version with the usage or
// the version on standard output and status 0.  The quitting step throws
// instead of ending the process and both streams are caught in memory, so
// one process tries millions of command lines.
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>

#include <climits>
#include <string>
#include <vector>

#include "main/command_line.h"
#include "main/test_support.h"
#include "main/version.h"

namespace {

/// Ends the run with a message; libFuzzer keeps the input that got here.
[[noreturn]] void fail(const std::string& what) {
  fprintf(stderr, "command_line_fuzz: %s\n", what.c_str());
  abort();
}

/// Thrown by the quitting step installed for the parse.
struct Quit {
  int status;
};

void throw_quit(int status) { throw Quit{status}; }

/// The six settings, or a quit with its status and the text it wrote on
/// standard output (an answer) or standard error (the usage for a mistake).
struct Outcome {
  bool quit = false;
  int status = 1;
  std::string out, err;
  int genus = 0, marked_points = 0, edge_filter = 0;
  int printer = 0, statistics = 0;
  bool labelled = false;
  bool euler_check = false;
};

/// atoi's reading of a number, held within the range of int.
int model_number(const std::string& text) {
  size_t at = 0;
  while (at < text.size() && (text[at] == ' ' || (text[at] >= '\t' && text[at] <= '\r'))) ++at;
  bool negative = false;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
  long long value = 0;
  for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
    value = value * 10 + (text[at] - '0');
    if (value > 1LL << 40) value = 1LL << 40;  // far beyond int either way
  }
  if (negative) value = -value;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

const std::string kUsage = UsageText("stable-graphs");
const std::string kVersion = VersionText("stable-graphs");

/// A quit that answers --help or --version with status 0.
Outcome answer(const std::string& text) {
  Outcome o;
  o.quit = true;
  o.status = 0;
  o.out = text;
  return o;
}

/// The command line as the usage text describes it: options and up to two
/// numbers in any order, the last repeated option winning; --help, -h and
/// --version answer at once.
Outcome model(const std::vector<std::string>& args) {
  Outcome quit;
  quit.quit = true;
  if (args.size() < 2) return quit;
  Outcome o;
  o.genus = -1;
  o.edge_filter = -1;
  int positional = 0;
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg.empty() || arg[0] != '-') {
      if (positional == 0) o.genus = model_number(arg);
      else if (positional == 1) o.marked_points = model_number(arg);
      else return quit;
      ++positional;
      continue;
    }
    if (arg == "--help" || arg == "-h") return answer(kUsage);
    if (arg == "--version") return answer(kVersion);
    if (arg.size() != 2) return quit;
    char option = arg[1];
    if (option == 'L') {
      o.labelled = true;
      continue;
    }
    if (option == 'E') {
      o.euler_check = true;
      continue;
    }
    if (option != 'C' && option != 'P' && option != 'S') return quit;
    if (i + 1 >= args.size()) return quit;
    const std::string& value = args[++i];
    if (option == 'C') {
      o.edge_filter = model_number(value);
      if (o.edge_filter < 0) return quit;  // a negative number of edges
      continue;
    }
    if (value.size() != 1) return quit;
    const std::string letters = option == 'P' ? "LTBNJSDCH" : "FTSN";
    size_t which = letters.find(value[0]);
    if (which == std::string::npos) return quit;
    if (option == 'P') o.printer = static_cast<int>(which);
    else o.statistics = which == 3 ? 2 : static_cast<int>(which);  // N and S both switch it off
  }
  if (positional == 0) return quit;  // no genus; " -1" is a (negative) genus
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

  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(&arg[0]);
  argv.push_back(nullptr);

  Outcome got;
  int genus = 0, marked_points = 0, edge_filter = 0;
  Printer printer = PrinterLaTeX;
  Statistics statistics = StatisticsFull;
  bool labelled = false;
  bool euler_check = false;
  char *out = nullptr, *err = nullptr;
  size_t out_size = 0, err_size = 0;
  FILE* captured_out = open_memstream(&out, &out_size);
  FILE* captured_err = open_memstream(&err, &err_size);
  if (captured_out == nullptr || captured_err == nullptr) fail("open_memstream failed");
  FILE* real_stdout = stdout;
  FILE* real_stderr = stderr;
  stdout = captured_out;
  stderr = captured_err;
  SetQuitFunction(throw_quit);
  bool returned_other = false;
  try {
    returned_other = ParseCommandLine(static_cast<int>(args.size()), argv.data(), genus, marked_points, edge_filter,
                                      printer, statistics, nullptr, &labelled, &euler_check) != 0;
  } catch (const Quit& quit) {
    got.quit = true;
    got.status = quit.status;
  }
  SetQuitFunction(nullptr);
  stdout = real_stdout;
  stderr = real_stderr;
  fclose(captured_out);
  fclose(captured_err);
  got.out.assign(out, out_size);
  got.err.assign(err, err_size);
  free(out);
  free(err);
  if (returned_other) fail("ParseCommandLine returned a value other than 0");

  Outcome want = model(args);
  if (got.quit != want.quit) fail(want.quit ? "a bad command line was accepted" : "a good command line was refused");
  if (got.quit) {
    if (got.status != want.status) fail("quit with status " + std::to_string(got.status));
    if (got.out != want.out) fail("quit with the wrong text on standard output");
    if (want.status == 0) {
      if (!got.err.empty()) fail("an answer wrote to standard error");
      return 0;
    }
    size_t line_end = got.err.find('\n');
    bool bare = args.size() < 2;
    if (bare && got.err != kUsage) fail("no argument: not the bare usage text");
    if (!bare && (got.err.rfind("stable-graphs: ", 0) != 0 || line_end == std::string::npos ||
                  got.err.substr(line_end + 1) != kUsage))
      fail("quit without one line of reason and the usage text");
    return 0;
  }
  if (!got.err.empty() || !got.out.empty()) fail("a good command line wrote something");
  if (printer < PrinterLaTeX || printer > PrinterHasse) fail("printer out of range");
  if (statistics < StatisticsFull || statistics > StatisticsNone) fail("statistics out of range");
  if (genus != want.genus || marked_points != want.marked_points || edge_filter != want.edge_filter ||
      printer != want.printer || statistics != want.statistics || labelled != want.labelled ||
      euler_check != want.euler_check)
    fail("settings differ from the model");

  // What the run does next with the type: nothing, or one line.
  std::string problem = CapacityProblem(genus, marked_points);
  bool fits = genus >= 0 && marked_points >= 0 && 3LL * genus + marked_points - 2 - (marked_points < 2 ? 1 : 0) <= 32;
  if (fits != problem.empty()) fail("capacity check disagrees: " + problem);
  if (problem.find('\n') != std::string::npos) fail("capacity message longer than a line");
  return 0;
}
