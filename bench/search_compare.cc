// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
//
// stable-graphs-search-compare: runs the kinds of search (SearchKind) on one
// type side by side, on one thread each, checks that they write the same
// byte stream and prints their CPU time, peak memory and counters.
//
//   stable-graphs-search-compare [-C C] [-L] [-N] [-r ROUNDS] [-k KINDS] G N
//
// -C C: only graphs with C edges; -L: the labelled stream (points labelled
// 1 .. n); -N: count only (no stream, nothing compared but the counters);
// -r: run every kind ROUNDS times in turn and keep the least CPU time;
// -k: a comma-separated subset of stored,orderly,pruned (default all).
// Each run is a child process, so its CPU time and peak memory are its own.
// Exit status 1 when two kinds disagree.
#define _GNU_SOURCE 1
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <memory>
#include <numeric>
#include <optional>
#include <string>
#include <vector>

#include "computer/boundary_computer.h"
#include "labelled/labelling_printer.h"
#include "stream/binary_graph_printer.h"
#include "printers/null_graph_printer.h"

namespace {

/// What one run reports to the parent.
struct Outcome {
  uint64_t hash = 0;
  uint64_t bytes = 0;
  int64_t tried = 0, unconnected = 0, duplicated = 0, found = 0;
  int64_t nodes = 0, pruned = 0, branches = 0;
  int64_t found_per_codimension[64] = {};
};

/// What the parent measured of one run.
struct Measure {
  double cpu = 0;
  long peak_kib = 0;
};

/// FNV-1a over everything written to a FILE made by fopencookie.
struct StreamHash {
  uint64_t hash = 1469598103934665603ull;
  uint64_t bytes = 0;
};

ssize_t hash_write(void* cookie, const char* data, size_t size) {
  auto* h = static_cast<StreamHash*>(cookie);
  for (size_t i = 0; i < size; ++i) {
    h->hash ^= static_cast<unsigned char>(data[i]);
    h->hash *= 1099511628211ull;
  }
  h->bytes += size;
  return static_cast<ssize_t>(size);
}

/// Runs the tasks of a pass in order on the calling thread and adds up the
/// counters BoundaryComputer does not keep.
class SerialRunner : public TaskRunner {
 public:
  void RunPass(std::vector<std::unique_ptr<EdgeTask>>& tasks, size_t first,
               const std::function<void(size_t)>& done) override {
    for (size_t i = first; i < tasks.size(); ++i) {
      tasks[i]->Run();
      nodes += tasks[i]->nodes;
      pruned += tasks[i]->pruned;
      branches += tasks[i]->relabelling_branches;
      done(i);
    }
  }
  int64_t nodes = 0, pruned = 0, branches = 0;
};

struct Options {
  int g = 0, n = 0, rounds = 1;
  std::optional<int> edge_filter;
  bool labelled = false, count_only = false;
  std::vector<SearchKind> kinds;
};

const char* kind_name(SearchKind kind) {
  switch (kind) {
    case SearchKind::kStored: return "stored";
    case SearchKind::kOrderly: return "orderly";
    case SearchKind::kPruned: return "pruned";
  }
  return "?";
}

int64_t sum(const Counts& counts) { return std::accumulate(counts.begin(), counts.end(), int64_t{0}); }

Outcome run(const Options& options, SearchKind kind) {
  Outcome outcome;
  StreamHash stream_hash;
  cookie_io_functions_t functions = {nullptr, hash_write, nullptr, nullptr};
  FILE* file = fopencookie(&stream_hash, "w", functions);
  std::unique_ptr<GraphPrinter> printer;
  if (options.count_only) {
    printer = std::make_unique<NullGraphPrinter>();
  } else {
    auto binary = std::make_unique<BinaryGraphPrinter>(file, options.g, options.n, options.edge_filter);
    binary->labelled = options.labelled;
    printer = std::move(binary);
  }
  LabellingPrinter labelling(*printer);
  bool expand = options.labelled && !options.count_only;
  SerialRunner runner;
  SearchSettings settings;
  settings.threads = 1;
  settings.runner = &runner;
  settings.search = kind;
  settings.count_labelled = options.labelled;
  settings.codimension = options.edge_filter;
  BoundaryComputer computer(options.g, options.n, settings);
  computer.Compute(expand ? static_cast<GraphPrinter&>(labelling) : *printer, StatisticsNone);
  fclose(file);
  outcome.hash = stream_hash.hash;
  outcome.bytes = stream_hash.bytes;
  outcome.tried = sum(computer.counters().tried);
  outcome.unconnected = sum(computer.counters().unconnected);
  outcome.duplicated = sum(computer.counters().duplicated);
  outcome.found = sum(computer.counters().found);
  outcome.nodes = runner.nodes;
  outcome.pruned = runner.pruned;
  outcome.branches = runner.branches;
  const Counts& per_codimension = computer.counters().found_per_codimension;
  for (size_t c = 0; c < per_codimension.size() && c < 64; ++c) outcome.found_per_codimension[c] = per_codimension[c];
  return outcome;
}

/// Runs one kind in a child process; its outcome comes back through a pipe.
bool run_child(const Options& options, SearchKind kind, Outcome& outcome, Measure& measure) {
  int fds[2];
  if (pipe(fds) != 0) return false;
  fflush(stdout);
  pid_t pid = fork();
  if (pid == 0) {
    close(fds[0]);
    Outcome result = run(options, kind);
    ssize_t written = write(fds[1], &result, sizeof result);
    _exit(written == static_cast<ssize_t>(sizeof result) ? 0 : 1);
  }
  close(fds[1]);
  ssize_t got = read(fds[0], &outcome, sizeof outcome);
  close(fds[0]);
  int status = 0;
  rusage usage;
  if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return false;
  measure.cpu = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                1e-6 * static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec);
  measure.peak_kib = usage.ru_maxrss;
  return got == static_cast<ssize_t>(sizeof outcome);
}

bool parse_kinds(const char* text, std::vector<SearchKind>& kinds) {
  std::string list = text;
  size_t at = 0;
  while (at <= list.size()) {
    size_t comma = list.find(',', at);
    std::string word = list.substr(at, comma == std::string::npos ? std::string::npos : comma - at);
    if (word == "stored")
      kinds.push_back(SearchKind::kStored);
    else if (word == "orderly")
      kinds.push_back(SearchKind::kOrderly);
    else if (word == "pruned")
      kinds.push_back(SearchKind::kPruned);
    else
      return false;
    if (comma == std::string::npos) break;
    at = comma + 1;
  }
  return true;
}

bool parse(int argc, char** argv, Options& options) {
  int opt;
  while ((opt = getopt(argc, argv, "C:LNr:k:")) != -1) {
    switch (opt) {
      case 'C': options.edge_filter = atoi(optarg); break;
      case 'L': options.labelled = true; break;
      case 'N': options.count_only = true; break;
      case 'r': options.rounds = atoi(optarg); break;
      case 'k':
        if (!parse_kinds(optarg, options.kinds)) return false;
        break;
      default: return false;
    }
  }
  if (argc - optind != 2 || options.rounds < 1) return false;
  options.g = atoi(argv[optind]);
  options.n = atoi(argv[optind + 1]);
  if (options.kinds.empty()) options.kinds = {SearchKind::kStored, SearchKind::kOrderly, SearchKind::kPruned};
  return true;
}

bool same_graphs(const Outcome& a, const Outcome& b) {
  return a.hash == b.hash && a.bytes == b.bytes && a.found == b.found &&
         memcmp(a.found_per_codimension, b.found_per_codimension, sizeof a.found_per_codimension) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!parse(argc, argv, options)) {
    fputs("usage: stable-graphs-search-compare [-C C] [-L] [-N] [-r ROUNDS] [-k stored,orderly,pruned] G N\n", stderr);
    return 2;
  }
  size_t count = options.kinds.size();
  std::vector<Outcome> outcomes(count);
  std::vector<Measure> best(count);
  for (int round = 0; round < options.rounds; ++round) {
    for (size_t k = 0; k < count; ++k) {
      Outcome outcome;
      Measure measure;
      if (!run_child(options, options.kinds[k], outcome, measure)) {
        fprintf(stderr, "search-compare: the %s run failed\n", kind_name(options.kinds[k]));
        return 2;
      }
      if (round > 0 && !same_graphs(outcome, outcomes[k])) {
        fprintf(stderr, "search-compare: the %s runs disagree with each other\n", kind_name(options.kinds[k]));
        return 1;
      }
      outcomes[k] = outcome;
      if (round == 0 || measure.cpu < best[k].cpu) best[k].cpu = measure.cpu;
      if (measure.peak_kib > best[k].peak_kib) best[k].peak_kib = measure.peak_kib;
    }
  }
  printf("(%d, %d)%s%s%s, %d round(s), one thread each\n", options.g, options.n,
         options.edge_filter ? (" -C " + std::to_string(*options.edge_filter)).c_str() : "",
         options.labelled ? " -L" : "", options.count_only ? " count only" : "", options.rounds);
  printf("%-8s %10s %8s %9s %14s %12s %14s %12s %14s %12s %14s %16s\n", "kind", "CPU s", "ratio", "peak MiB", "tried",
         "unconnected", "duplicated", "found", "edge nodes", "pruned", "test branches", "stream hash");
  bool agree = true;
  for (size_t k = 0; k < count; ++k) {
    const Outcome& o = outcomes[k];
    printf("%-8s %10.2f %8.3f %9.1f %14lld %12lld %14lld %12lld %14lld %12lld %14lld %016llx\n", kind_name(options.kinds[k]),
           best[k].cpu, best[0].cpu > 0 ? best[k].cpu / best[0].cpu : 0.0, best[k].peak_kib / 1024.0,
           static_cast<long long>(o.tried), static_cast<long long>(o.unconnected),
           static_cast<long long>(o.duplicated), static_cast<long long>(o.found), static_cast<long long>(o.nodes),
           static_cast<long long>(o.pruned), static_cast<long long>(o.branches),
           static_cast<unsigned long long>(o.hash));
    if (!same_graphs(o, outcomes[0])) agree = false;
  }
  printf("%s\n", agree ? "same graphs in the same order" : "DIFFERENT GRAPHS");
  return agree ? 0 : 1;
}
