// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "main/output_file.h"

#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include "graph/printable_text.h"

namespace {

/// The directory a path names its file in.
std::string directory_of(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

std::string OutputFile::OpenExisting() {
  int fd = open(path_.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
  if (fd >= 0) return place(fd);
  int error = errno;
  struct stat directory;
  // A missing directory is known now: refuse before anything is made.
  if (error == ENOENT && stat(directory_of(path_).c_str(), &directory) == 0 && S_ISDIR(directory.st_mode)) {
    pending_ = true;
    return "";
  }
  return "cannot open " + PrintableText(path_) + " for appending: " + strerror(error);
}

std::string OutputFile::Create() {
  if (!pending_) return "";
  pending_ = false;
  int fd = open(path_.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  created_ = fd >= 0;
  if (fd < 0 && errno == EEXIST) fd = open(path_.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);  // made meanwhile
  if (fd < 0) return "cannot open " + PrintableText(path_) + " for appending: " + strerror(errno);
  return place(fd);
}

void OutputFile::Discard() {
  if (created_) unlink(path_.c_str());
  created_ = false;
}

// Nothing has been written to standard output yet, so its buffer is empty
// and its buffering is settled by the file it writes to now.
std::string OutputFile::place(int fd) {
  fflush(stdout);
  int placed = dup2(fd, STDOUT_FILENO);
  int error = errno;
  close(fd);
  if (placed < 0) return "cannot put " + PrintableText(path_) + " in place of standard output: " + strerror(error);
  clearerr(stdout);
  return "";
}
