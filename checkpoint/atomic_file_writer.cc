// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "checkpoint/atomic_file_writer.h"

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <stdint.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

#include <utility>

#include "printers/output_error.h"

namespace {

/// Hex digits after FILE.new- in the name of a new file.
const size_t kSuffixLength = 12;

/// The last part of a new file's name, from a random number.
std::string suffix(uint64_t random) {
  char out[17];
  snprintf(out, sizeof(out), "%016llx", static_cast<unsigned long long>(random));
  return std::string(out, kSuffixLength);
}

}  // namespace

AtomicFileWriter::AtomicFileWriter(std::string path, std::string name)
    : path_(std::move(path)), name_(std::move(name)),
      random_(std::random_device{}() ^ static_cast<uint64_t>(getpid())) {}

// The new file gets a name no other file has (O_EXCL: an existing file,
// or a symbolic link planted under the name, is never opened), in the
// checkpoint's directory so that the rename stays within one file system.
void AtomicFileWriter::Write(const std::string& text) {
  auto fail = [&](const char* what) {
    throw OutputError("error writing " + name_ + " (" + what + "): " + strerror(errno));
  };
  std::string fresh;
  int fd = -1;
  for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
    fresh = path_ + ".new-" + suffix(random_());
    fd = open(fresh.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) fail("creating the new file");
  auto fail_removing = [&](const char* what) {
    int error = errno;
    close(fd);
    unlink(fresh.c_str());
    errno = error;
    fail(what);
  };
  for (size_t done = 0; done < text.size();) {
    ssize_t wrote = write(fd, text.data() + done, text.size() - done);
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote <= 0) fail_removing("writing");
    done += static_cast<size_t>(wrote);
  }
  if (fsync(fd) != 0) fail_removing("flushing to disk");
  if (close(fd) != 0) {
    unlink(fresh.c_str());
    fail("closing");
  }
  if (rename(fresh.c_str(), path_.c_str()) != 0) {
    int error = errno;
    unlink(fresh.c_str());
    errno = error;
    fail("renaming");
  }
  // The rename itself reaches the disk with the directory.
  std::string directory = path_.find('/') == std::string::npos ? "." : path_.substr(0, path_.rfind('/') + 1);
  int dir = open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    fsync(dir);
    close(dir);
  }
}

// A writer renames or removes each new file before it makes the next, so
// when one process alone writes the file, every new file is a leftover.
void AtomicFileWriter::RemoveLeftovers() const {
  size_t slash = path_.rfind('/');
  std::string directory = slash == std::string::npos ? "." : path_.substr(0, slash + 1);
  std::string prefix = (slash == std::string::npos ? path_ : path_.substr(slash + 1)) + ".new-";
  DIR* dir = opendir(directory.c_str());
  if (dir == nullptr) return;
  while (const struct dirent* entry = readdir(dir)) {
    std::string name = entry->d_name;
    if (name.size() == prefix.size() + kSuffixLength && name.compare(0, prefix.size(), prefix) == 0 &&
        name.find_first_not_of("0123456789abcdef", prefix.size()) == std::string::npos)
      unlinkat(dirfd(dir), name.c_str(), 0);
  }
  closedir(dir);
}
