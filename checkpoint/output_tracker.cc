// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "checkpoint/output_tracker.h"

#include <errno.h>
#include <fcntl.h>
#include <string.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

#include "checkpoint/same_file.h"
#include "graph/printable_text.h"
#include "printers/output_error.h"

namespace {

/// Reads [from, to) of fd into `checksum`, in pieces; false on a read
/// error or a file shorter than `to`.
bool checksum_range(int fd, long long from, long long to, OutputChecksum& checksum) {
  static const size_t kPiece = 1 << 20;
  std::vector<char> buffer(static_cast<size_t>(std::min<long long>(kPiece, to - from > 0 ? to - from : 1)));
  while (from < to) {
    size_t want = static_cast<size_t>(std::min<long long>(static_cast<long long>(buffer.size()), to - from));
    ssize_t got = pread(fd, buffer.data(), want, static_cast<off_t>(from));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    checksum.Add(buffer.data(), static_cast<size_t>(got));
    from += got;
  }
  return true;
}

}  // namespace

OutputTracker::OutputTracker(FILE* output) : output_(output) {}

OutputTracker::~OutputTracker() {
  if (read_fd_ >= 0) close(read_fd_);
}

// A regular output is opened again, read-only: through /proc, which
// reaches the very file standard output is, whatever its name.
std::string OutputTracker::Open(const CheckpointLock& lock, const std::string& checkpoint) {
  struct stat status;
  if (fstat(fileno(output_), &status) != 0)
    return std::string("cannot examine standard output: ") + strerror(errno);
  if (!S_ISREG(status.st_mode)) return "";
  std::string self = "/proc/self/fd/" + std::to_string(fileno(output_));
  read_fd_ = open(self.c_str(), O_RDONLY | O_CLOEXEC);
  struct stat reopened;
  if (read_fd_ < 0 || fstat(read_fd_, &reopened) != 0 || !SameFile(status, reopened))
    return std::string("cannot read standard output back (to checksum what the run writes to it): ") +
           (read_fd_ < 0 ? strerror(errno) : "it is another file through /proc");
  if (lock.IsLockFile(status))
    return "standard output is the lock file of " + checkpoint + ": give the output another file";
  if (flock(read_fd_, LOCK_EX | LOCK_NB) != 0)
    return errno == EWOULDBLOCK ? "standard output is the output file of another checkpointed run: wait for that "
                                  "run to end, or give this one another output file"
                                : std::string("cannot lock standard output: ") + strerror(errno);
  device_ = static_cast<uint64_t>(status.st_dev);
  inode_ = static_cast<uint64_t>(status.st_ino);
  start_ = static_cast<long long>(status.st_size);
  return "";
}

bool OutputTracker::IsOutputFile(const struct stat& status) const {
  return read_fd_ >= 0 && static_cast<uint64_t>(status.st_dev) == device_ &&
         static_cast<uint64_t>(status.st_ino) == inode_;
}

std::string OutputTracker::Check(const OutputRecord& recorded, const std::string& checkpoint,
                                 const std::string& output_to_create) {
  if (recorded.length < 0) {
    // The output was a pipe or a device, which keeps nothing to check;
    // a regular file now is checksummed from here on.
    return "";
  }
  if (!output_to_create.empty())
    return checkpoint + " recorded standard output as a file of " + std::to_string(recorded.length) +
           " bytes, but the output file " + PrintableText(output_to_create) + " does not exist: resume with that file";
  if (read_fd_ < 0)
    return checkpoint + " recorded standard output as a file of " + std::to_string(recorded.length) +
           " bytes, but standard output is not a regular file now: resume with >> that file";
  if (recorded.device != device_ || recorded.inode != inode_)
    return checkpoint + " recorded another output file (device " + std::to_string(recorded.device) + ", inode " +
           std::to_string(recorded.inode) + "): resume with that file, appended to (>> file)";
  if (start_ < recorded.length)
    return "standard output holds " + std::to_string(start_) + " bytes, fewer than the " +
           std::to_string(recorded.length) + " recorded in " + checkpoint +
           ": resume with the same output file, appended to (>> file)";
  OutputChecksum written;
  if (!checksum_range(read_fd_, recorded.start, recorded.length, written))
    return std::string("cannot read standard output back: ") + strerror(errno);
  if (written.Digest() != recorded.checksum)
    return "the bytes " + std::to_string(recorded.start) + " to " + std::to_string(recorded.length) +
           " of standard output are not those recorded in " + checkpoint +
           " (their checksum differs): the output file was changed; nothing was cut";
  checksum_ = written;
  start_ = recorded.start;
  return "";
}

std::string OutputTracker::CutTo(long long length) {
  int fd = fileno(output_);
  if (ftruncate(fd, static_cast<off_t>(length)) != 0 || lseek(fd, static_cast<off_t>(length), SEEK_SET) < 0)
    return std::string("cannot cut standard output back to the checkpoint's length: ") + strerror(errno);
  return "";
}

// Only what was appended since the last record is read back.
void OutputTracker::extend_checksum() {
  struct stat status;
  if (fstat(read_fd_, &status) != 0)
    throw OutputError(std::string("cannot examine standard output: ") + strerror(errno));
  long long length = static_cast<long long>(status.st_size);
  long long upto = start_ + static_cast<long long>(checksum_.size());
  if (length < upto)
    throw OutputError("standard output was cut to " + std::to_string(length) + " bytes by something else while "
                      "the run wrote it (it had " + std::to_string(upto) + "): the output is lost");
  if (!checksum_range(read_fd_, upto, length, checksum_))
    throw OutputError(std::string("cannot read standard output back: ") + strerror(errno));
}

OutputRecord OutputTracker::Record() {
  if (fflush(output_) != 0) throw OutputError(std::string("error writing standard output: ") + strerror(errno));
  OutputRecord output;
  if (read_fd_ >= 0) {
    extend_checksum();
    output.start = start_;
    output.length = start_ + static_cast<long long>(checksum_.size());
    output.device = device_;
    output.inode = inode_;
    output.checksum = checksum_.Digest();
  }
  return output;
}
