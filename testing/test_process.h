// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#ifndef STABLE_GRAPHS_TESTING_TEST_PROCESS_H_
#define STABLE_GRAPHS_TESTING_TEST_PROCESS_H_

#include <string>
#include <vector>

/// What a finished child process wrote and how it ended.
struct ProcessResult {
  std::string out;     // standard output (empty when redirected to a file)
  std::string err;     // standard error
  int status = -1;     // exit status, or -1 when ended by a signal
  int signal = 0;      // the signal that ended it, or 0
};

/// How to start the child.
struct ProcessOptions {
  /// When not empty, standard output goes to this file (opened for
  /// writing) instead of being captured, e.g. "/dev/full".
  std::string stdout_path;
  /// Close standard output in the child instead of capturing it.
  bool close_stdout = false;
  /// When positive, the child may run on this many CPUs only (its
  /// affinity mask), which sets the number of threads it uses.
  int cpus = 0;
  /// Give the child a pseudo-terminal as standard error (output processing
  /// off, so line ends arrive as written) instead of a pipe.
  bool stderr_terminal = false;
  /// When not empty, standard input comes from this file; otherwise the
  /// child inherits the test's own.
  std::string stdin_path;
  /// Close standard input in the child.
  bool close_stdin = false;
  /// When not empty, standard error goes to this file instead of being
  /// captured.
  std::string stderr_path;
  /// When not negative, only this many bytes of standard output are read
  /// before the reading end of the pipe is closed, as `| head -c N` does.
  long stdout_read_limit = -1;
  /// Start the child with SIGPIPE ignored, as some shells and services do,
  /// so that writing to a closed pipe fails with EPIPE instead of ending it.
  bool ignore_sigpipe = false;
  /// When positive, the child may not write files beyond this many bytes
  /// (SIGXFSZ ignored, so the write fails with EFBIG), like a disk that
  /// fills up in the middle of a run.
  long file_size_limit = 0;
};

/// Runs program with args (args[0] is the program name the child sees)
/// and waits for it.
ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& args,
                         const ProcessOptions& options = ProcessOptions());

/// Runs the stable-graphs executable of this build with the arguments
/// after the program name.
ProcessResult RunStableGraphs(const std::vector<std::string>& args,
                              const ProcessOptions& options = ProcessOptions());

/// Path of the stable-graphs executable of this build.
const char* StableGraphsBinary();

/// Runs the stable-graphs-convert executable of this build with the
/// arguments after the program name.
ProcessResult RunConverter(const std::vector<std::string>& args,
                           const ProcessOptions& options = ProcessOptions());

/// True when a pseudo-terminal can be opened here (a build root without
/// /dev/pts has none), so that stderr_terminal can work.
bool PseudoTerminalAvailable();

/// Path of the example consumer program built with the tests.
const char* ExampleBinary();
/// The full path of an executable found on PATH; empty when there is none.
std::string FindOnPath(const std::string& name);

/// Reads a whole file; empty when it cannot be read.
std::string ReadFile(const std::string& path);

#endif  // STABLE_GRAPHS_TESTING_TEST_PROCESS_H_
