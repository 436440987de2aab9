// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "testing/test_process.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <sched.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <sstream>

namespace {

/// Reads both pipes until the child closes them, so that neither fills up;
/// after out_limit bytes (when not negative) standard output is closed.
void drain(int out_fd, int err_fd, long out_limit, std::string& out, std::string& err) {
  struct pollfd fds[2] = {{out_fd, POLLIN, 0}, {err_fd, POLLIN, 0}};
  std::string* sinks[2] = {&out, &err};
  int open_count = (out_fd >= 0) + (err_fd >= 0);
  char buffer[65536];
  if (out_fd >= 0 && out_limit == 0) {
    close(out_fd);
    fds[0].fd = -1;
    --open_count;
  }
  while (open_count > 0) {
    if (poll(fds, 2, -1) < 0) break;
    for (int k = 0; k < 2; ++k) {
      if (fds[k].fd < 0 || fds[k].revents == 0) continue;
      size_t want = sizeof(buffer);
      if (k == 0 && out_limit >= 0) want = std::min(want, static_cast<size_t>(out_limit) - out.size());
      ssize_t got = read(fds[k].fd, buffer, want);
      if (got > 0) sinks[k]->append(buffer, static_cast<size_t>(got));
      bool limit_reached = k == 0 && out_limit >= 0 && out.size() >= static_cast<size_t>(out_limit);
      if (got <= 0 || limit_reached) {
        close(fds[k].fd);
        fds[k].fd = -1;
        --open_count;
      }
    }
  }
}

/// Opens a pseudo-terminal as a pipe: [0] the side to read, [1] the
/// terminal the child writes to.
bool open_terminal(int ends[2]) {
  if (openpty(&ends[0], &ends[1], nullptr, nullptr, nullptr) != 0) return false;
  struct termios modes;
  tcgetattr(ends[1], &modes);
  modes.c_oflag &= ~OPOST;
  tcsetattr(ends[1], TCSANOW, &modes);
  return true;
}

/// Keeps the first `count` CPUs of the current affinity mask.
void restrict_cpus(int count) {
  cpu_set_t current, kept;
  CPU_ZERO(&kept);
  if (sched_getaffinity(0, sizeof(current), &current) != 0) return;
  for (int cpu = 0, taken = 0; cpu < CPU_SETSIZE && taken < count; ++cpu) {
    if (!CPU_ISSET(cpu, &current)) continue;
    CPU_SET(cpu, &kept);
    ++taken;
  }
  sched_setaffinity(0, sizeof(kept), &kept);
}

/// In the child: points descriptor target at path, opened for writing.
void redirect(const std::string& path, int target) {
  int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) _exit(127);
  dup2(fd, target);
  close(fd);
}

}  // namespace

bool PseudoTerminalAvailable() {
  int ends[2];
  if (openpty(&ends[0], &ends[1], nullptr, nullptr, nullptr) != 0) return false;
  close(ends[0]);
  close(ends[1]);
  return true;
}

ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& args,
                         const ProcessOptions& options) {
  int out_pipe[2] = {-1, -1}, err_pipe[2] = {-1, -1};
  bool capture_out = options.stdout_path.empty() && !options.close_stdout;
  bool capture_err = options.stderr_path.empty();
  if (capture_out && pipe(out_pipe) != 0) return ProcessResult();
  if (capture_err && (options.stderr_terminal ? !open_terminal(err_pipe) : pipe(err_pipe) != 0))
    return ProcessResult();
  pid_t pid = fork();
  if (pid == 0) {
    signal(SIGPIPE, options.ignore_sigpipe ? SIG_IGN : SIG_DFL);
    if (options.cpus > 0) restrict_cpus(options.cpus);
    if (options.file_size_limit > 0) {
      signal(SIGXFSZ, SIG_IGN);
      struct rlimit limit = {static_cast<rlim_t>(options.file_size_limit),
                             static_cast<rlim_t>(options.file_size_limit)};
      if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(127);
    }
    if (capture_out) {
      dup2(out_pipe[1], 1);
      close(out_pipe[0]);
      close(out_pipe[1]);
    } else if (options.close_stdout) {
      close(1);
    } else {
      redirect(options.stdout_path, 1);
    }
    if (capture_err) {
      dup2(err_pipe[1], 2);
      close(err_pipe[0]);
      close(err_pipe[1]);
    } else {
      redirect(options.stderr_path, 2);
    }
    if (options.close_stdin) {
      close(0);
    } else if (!options.stdin_path.empty()) {
      int fd = open(options.stdin_path.c_str(), O_RDONLY);
      if (fd < 0) _exit(127);
      dup2(fd, 0);
      close(fd);
    }
    std::vector<char*> argv;
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  if (capture_out) close(out_pipe[1]);
  if (capture_err) close(err_pipe[1]);
  ProcessResult result;
  drain(capture_out ? out_pipe[0] : -1, capture_err ? err_pipe[0] : -1, options.stdout_read_limit, result.out,
        result.err);
  int status = 0;
  waitpid(pid, &status, 0);
  if (WIFEXITED(status)) result.status = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) result.signal = WTERMSIG(status);
  return result;
}

const char* StableGraphsBinary() { return STABLE_GRAPHS_BINARY; }

ProcessResult RunStableGraphs(const std::vector<std::string>& args, const ProcessOptions& options) {
  std::vector<std::string> full = {"stable-graphs"};
  full.insert(full.end(), args.begin(), args.end());
  return RunProcess(StableGraphsBinary(), full, options);
}

ProcessResult RunConverter(const std::vector<std::string>& args, const ProcessOptions& options) {
  std::vector<std::string> full = {"stable-graphs-convert"};
  full.insert(full.end(), args.begin(), args.end());
  return RunProcess(STABLE_GRAPHS_CONVERT_BINARY, full, options);
}

const char* ExampleBinary() { return STABLE_GRAPHS_EXAMPLE_BINARY; }

std::string FindOnPath(const std::string& name) {
  const char* path = getenv("PATH");
  std::string dirs = path != nullptr ? path : "";
  size_t start = 0;
  while (start <= dirs.size()) {
    size_t end = dirs.find(':', start);
    if (end == std::string::npos) end = dirs.size();
    std::string candidate = dirs.substr(start, end - start) + "/" + name;
    if (end > start && access(candidate.c_str(), X_OK) == 0) return candidate;
    start = end + 1;
  }
  return "";
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}
