// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
//
// The file itself: where the text (CheckpointText) is read from and
// written to, beside its lock (CheckpointLock) and the output it follows
// (OutputTracker).  The file is examined before it is read, so that only
// a regular file of a checkpoint's length is.
#include "checkpoint/checkpoint_file.h"

#include <errno.h>
#include <fcntl.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>

#include "checkpoint/checkpoint_text.h"
#include "checkpoint/same_file.h"
#include "checkpoint/stop_signals.h"
#include "graph/printable_text.h"

namespace {

// The first version recorded only the output's length.
const char kFirstMagic[] = "stable-graphs checkpoint 1\n";
// The second counted a pass's tasks before they were split, so its count
// of tasks done means other tasks now.
const char kSecondMagic[] = "stable-graphs checkpoint 2\n";

std::string join(const std::vector<std::string>& arguments) {
  std::string out;
  for (const std::string& argument : arguments) out += (out.empty() ? "" : " ") + argument;
  return out;
}

/// What kind of file a mode is, for a message.
const char* kind_of(mode_t mode) {
  if (S_ISDIR(mode)) return "a directory";
  if (S_ISLNK(mode)) return "a symbolic link";
  if (S_ISFIFO(mode)) return "a FIFO";
  if (S_ISSOCK(mode)) return "a socket";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
  return "not a regular file";
}

}  // namespace

CheckpointFile::CheckpointFile(std::string path, std::vector<std::string> arguments, double interval_seconds,
                               FILE* output)
    : path_(std::move(path)), writer_(path_, "checkpoint " + PrintableText(path_)), arguments_(std::move(arguments)),
      interval_(interval_seconds), lock_(path_, "checkpoint " + PrintableText(path_)), tracker_(output),
      last_record_(std::chrono::steady_clock::now()) {}

// The tracker, declared after the lock, lets go of the output first; the
// lock then removes its file while it is still locked.
CheckpointFile::~CheckpointFile() {}

std::string CheckpointFile::named() const { return "checkpoint " + PrintableText(path_); }

std::string CheckpointFile::Open(const std::string& output_to_create) {
  output_to_create_ = output_to_create;
  // What the checkpoint is comes first: a refusal for a directory or a
  // device leaves no lock file beside it.
  std::string problem = kind_problem();
  if (problem.empty()) problem = lock_.Take();
  if (problem.empty()) problem = output_to_create_.empty() ? tracker_.Open(lock_, named()) : new_output_problem();
  std::string text;
  bool exists = false;
  if (problem.empty()) problem = read_checkpoint(text, exists);
  if (!problem.empty() || !exists) return problem;
  if (text.compare(0, strlen(kFirstMagic), kFirstMagic) == 0)
    return named() + " was written by an earlier version of stable-graphs, which did not record which file the "
                     "output is: finish that run with that version, or remove the checkpoint to start afresh";
  if (text.compare(0, strlen(kSecondMagic), kSecondMagic) == 0)
    return named() + " was written by an earlier version of stable-graphs, which divided a pass into other tasks: "
                     "finish that run with that version, or remove the checkpoint to start afresh";
  std::vector<std::string> arguments;
  OutputRecord recorded;
  problem = CheckpointText::Parse(text, arguments, recorded, state_);
  if (!problem.empty()) return named() + " is damaged (" + problem + "); remove it to start afresh";
  if (arguments != arguments_)
    return named() + " belongs to another run (arguments: " + PrintableText(join(arguments)) + ")";
  problem = tracker_.Check(recorded, named(), output_to_create_);
  if (!problem.empty()) return problem;
  recorded_ = recorded;
  resumed_ = true;
  return "";
}

namespace {

/// The name a path reaches, with its directory's symbolic links and dots
/// resolved; "" when that directory cannot be resolved.
std::string resolved_name(const std::string& path) {
  size_t slash = path.rfind('/');
  std::string directory = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
  char* real = realpath(directory.c_str(), nullptr);
  if (real == nullptr) return "";
  std::string name = std::string(real) + "/" + path.substr(slash == std::string::npos ? 0 : slash + 1);
  free(real);
  return name;
}

}  // namespace

// A file not made yet has no device and inode to compare: its name is
// compared with the checkpoint's own names instead.
std::string CheckpointFile::new_output_problem() const {
  std::string output = resolved_name(output_to_create_);
  if (output.empty()) return "";  // its directory is gone: making it fails with the reason
  if (output == resolved_name(path_))
    return "--output " + PrintableText(output_to_create_) + " is " + named() +
           " itself: give the checkpoint and the output different files";
  if (output == resolved_name(path_ + ".lock"))
    return "--output " + PrintableText(output_to_create_) + " is the lock file of " + named() +
           ": give the output another file";
  return "";
}

std::string CheckpointFile::AttachOutput() {
  output_to_create_.clear();
  return tracker_.Open(lock_, named());
}

std::string CheckpointFile::kind_problem() const {
  struct stat status;
  if (lstat(path_.c_str(), &status) != 0)
    return errno == ENOENT ? "" : "cannot examine " + named() + ": " + strerror(errno);
  if (!S_ISREG(status.st_mode))
    return named() + " is " + kind_of(status.st_mode) + ", not a checkpoint file: give the name of a regular file";
  if (status.st_size > kMaxBytes)
    return named() + " is " + std::to_string(status.st_size) + " bytes long, longer than any checkpoint (at most " +
           std::to_string(kMaxBytes) + "): it is not one";
  return "";
}

// The file is examined before it is opened, and again after: only a
// regular file is read (a FIFO would block, a device never end), and no
// further than a checkpoint can be long.
std::string CheckpointFile::read_checkpoint(std::string& text, bool& exists) {
  struct stat status;
  if (lstat(path_.c_str(), &status) != 0) {
    if (errno == ENOENT) return "";  // a fresh run
    return "cannot examine " + named() + ": " + strerror(errno);
  }
  exists = true;
  if (!S_ISREG(status.st_mode))
    return named() + " is " + kind_of(status.st_mode) + ", not a checkpoint file: give the name of a regular file";
  if (tracker_.IsOutputFile(status))
    return named() + " is the output file itself: give the checkpoint and the output different files";
  int fd = open(path_.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return "cannot read " + named() + ": " + strerror(errno);
  struct stat opened;
  if (fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode) || !SameFile(status, opened)) {
    close(fd);
    return named() + " changed while it was being opened";
  }
  std::string buffer;
  char piece[1 << 16];
  for (;;) {
    ssize_t got = read(fd, piece, sizeof(piece));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      std::string problem = "cannot read " + named() + ": " + strerror(errno);
      close(fd);
      return problem;
    }
    if (got == 0) break;
    buffer.append(piece, static_cast<size_t>(got));
    if (buffer.size() > static_cast<size_t>(kMaxBytes)) {
      close(fd);
      return named() + " grew beyond any checkpoint's length while it was read";
    }
  }
  close(fd);
  text.swap(buffer);
  return "";
}

std::string CheckpointFile::StateRefusal(const std::string& problem) const {
  if (problem.empty()) return "";
  return named() + " holds a state that no run of these arguments writes (" + problem +
         "); remove it to start afresh";
}

std::string CheckpointFile::PrepareOutput() {
  lock_.RemoveAtEnd();  // the run goes on
  writer_.RemoveLeftovers();
  if (!resumed_ || recorded_.length < 0 || state_.complete) return "";
  return tracker_.CutTo(recorded_.length);
}

bool CheckpointFile::Due() {
  return StopRequested() || std::chrono::steady_clock::now() - last_record_ >= interval_;
}

bool CheckpointFile::StopRequested() const { return CaughtStopSignal() != 0; }

void CheckpointFile::Record(const RunState& state) {
  OutputRecord output = tracker_.Record();
  writer_.Write(CheckpointText::Format(arguments_, output, state));
  last_record_ = std::chrono::steady_clock::now();
}
