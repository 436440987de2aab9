// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
//
// The text is line by line, each line a keyword and numbers separated by
// single spaces (arguments and the printer state hex-encoded), closed by a
// checksum of everything before it, so that a file damaged in any way is
// refused rather than resumed wrongly.  Every number is read back only in
// the form Format writes it.
#include "checkpoint/checkpoint_file.h"

#include <errno.h>
#include <fcntl.h>
#include <stdlib.h>
#include <string.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <sstream>
#include <utility>

#include "checkpoint/atomic_file_writer.h"
#include "checkpoint/stop_signals.h"
#include "graph/hex_text.h"
#include "graph/printable_text.h"
#include "printers/output_error.h"

namespace {

const char kMagic[] = "stable-graphs checkpoint 3";
// The first version recorded only the output's length.
const char kFirstMagic[] = "stable-graphs checkpoint 1\n";
// The second counted a pass's tasks before they were split, so its count
// of tasks done means other tasks now.
const char kSecondMagic[] = "stable-graphs checkpoint 2\n";

/// Bytes as one word: in hexadecimal, "-" for none.
std::string hex(const std::string& bytes) { return bytes.empty() ? "-" : HexText(bytes); }

bool unhex(const std::string& text, std::string& bytes) {
  bytes.clear();
  if (text == "-") return true;
  return !text.empty() && BytesOfHexText(text, bytes);
}

/// FNV-1a, 64 bits: enough to tell damage from a file as written.
std::string checksum(const std::string& text) {
  uint64_t hash = 1469598103934665603ULL;
  for (unsigned char c : text) {
    hash ^= c;
    hash *= 1099511628211ULL;
  }
  char out[17];
  snprintf(out, sizeof(out), "%016llx", static_cast<unsigned long long>(hash));
  return out;
}

std::string hex64(uint64_t value) {
  char out[17];
  snprintf(out, sizeof(out), "%016llx", static_cast<unsigned long long>(value));
  return out;
}

/// The words of a line that Format wrote: separated by single spaces.
std::vector<std::string> words_of(const std::string& line) {
  std::vector<std::string> words;
  size_t from = 0;
  for (;;) {
    size_t space = line.find(' ', from);
    words.push_back(line.substr(from, space == std::string::npos ? std::string::npos : space - from));
    if (space == std::string::npos) return words;
    from = space + 1;
  }
}

/// A decimal number as Format writes it: digits, no leading zero.
bool is_decimal(const std::string& word) {
  return !word.empty() && word.size() <= 400 && word.find_first_not_of("0123456789") == std::string::npos &&
         (word.size() == 1 || word[0] != '0');
}

/// A decimal number of at most `most` as Format writes it.
template <typename Number>
bool get_number(const std::string& word, Number most, Number& value) {
  if (!is_decimal(word) || word.size() > 20) return false;
  errno = 0;
  unsigned long long read = strtoull(word.c_str(), nullptr, 10);
  if (errno == ERANGE || read > static_cast<unsigned long long>(most)) return false;
  value = static_cast<Number>(read);
  return true;
}

bool get_hex64(const std::string& word, uint64_t& value) {
  if (word.size() != 16 || word.find_first_not_of("0123456789abcdef") != std::string::npos) return false;
  value = std::stoull(word, nullptr, 16);
  return true;
}

const size_t kMostEntries = 4096;

void put_counts(std::ostringstream& out, const char* name, const std::vector<int64_t>& counts) {
  out << name << ' ' << counts.size();
  for (int64_t count : counts) out << ' ' << count;
  out << '\n';
}

/// Reads "name count values..." from one line; false when it is not that.
bool get_counts(const std::string& line, const char* name, std::vector<int64_t>& counts) {
  std::vector<std::string> words = words_of(line);
  size_t size;
  if (words.size() < 2 || words[0] != name || !get_number(words[1], kMostEntries, size) ||
      words.size() != 2 + size)
    return false;
  counts.assign(size, 0);
  for (size_t i = 0; i < size; ++i)
    if (!get_number(words[2 + i], INT64_MAX, counts[i])) return false;
  return true;
}

void put_words(std::ostringstream& out, const char* name, const std::vector<std::string>& words) {
  out << name << ' ' << words.size();
  for (const std::string& word : words) out << ' ' << word;
  out << '\n';
}

/// Reads "name count decimal-numbers..." from one line.
bool get_words(const std::string& line, const char* name, std::vector<std::string>& numbers) {
  std::vector<std::string> words = words_of(line);
  size_t size;
  if (words.size() < 2 || words[0] != name || !get_number(words[1], kMostEntries, size) ||
      words.size() != 2 + size)
    return false;
  numbers.assign(words.begin() + 2, words.end());
  for (const std::string& number : numbers)
    if (!is_decimal(number)) return false;
  return true;
}

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

bool same_file(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

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

CheckpointFile::CheckpointFile(std::string path, std::vector<std::string> arguments, double interval_seconds,
                               FILE* output)
    : path_(std::move(path)), writer_(path_, "checkpoint " + PrintableText(path_)), arguments_(std::move(arguments)),
      interval_(interval_seconds), output_(output), last_record_(std::chrono::steady_clock::now()) {}

// Closing the descriptors releases the locks; the lock file goes first,
// while it is still locked.
CheckpointFile::~CheckpointFile() {
  if (read_fd_ >= 0) close(read_fd_);
  if (locked_ && remove_lock_) unlink((path_ + ".lock").c_str());
  if (lock_fd_ >= 0) close(lock_fd_);
}

std::string CheckpointFile::Format(const std::vector<std::string>& arguments, const OutputRecord& output,
                                   const RunState& state) {
  std::ostringstream out;
  out << kMagic << '\n';
  out << "arguments " << arguments.size();
  for (const std::string& argument : arguments) out << ' ' << hex(argument);
  out << '\n';
  if (output.length < 0)
    out << "output -1\n";
  else
    out << "output " << output.length << ' ' << output.start << ' ' << output.device << ' ' << output.inode << ' '
        << hex64(output.checksum) << '\n';
  out << "pass " << state.pass << ' ' << state.tasks_done << ' ' << (state.pass_printed ? 1 : 0) << ' '
      << (state.complete ? 1 : 0) << '\n';
  put_counts(out, "tried", state.tried);
  put_counts(out, "unconnected", state.unconnected);
  put_counts(out, "duplicated", state.duplicated);
  put_counts(out, "found", state.found);
  put_counts(out, "codimensions", state.found_per_codimension);
  put_words(out, "labelled", state.labelled_found);
  put_words(out, "labelled-codimensions", state.labelled_per_codimension);
  out << "printer " << hex(state.printer_state) << '\n';
  std::string text = out.str();
  return text + "sum " + checksum(text) + "\n";
}

std::string CheckpointFile::Parse(const std::string& text, std::vector<std::string>& arguments,
                                  OutputRecord& output, RunState& state) {
  size_t sum_at = text.rfind("sum ");
  if (sum_at == std::string::npos || (sum_at > 0 && text[sum_at - 1] != '\n'))
    return "it has no checksum line";
  if (text.substr(sum_at) != "sum " + checksum(text.substr(0, sum_at)) + "\n") return "its checksum does not match";
  std::vector<std::string> lines;
  std::istringstream in(text.substr(0, sum_at));
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  if (lines.size() != 12 || lines[0] != kMagic) return "it is not a stable-graphs checkpoint of this version";
  {
    std::vector<std::string> words = words_of(lines[1]);
    size_t count;
    if (words.size() < 2 || words[0] != "arguments" || !get_number(words[1], size_t{1000}, count) ||
        words.size() != 2 + count)
      return "bad arguments line";
    arguments.assign(count, "");
    for (size_t i = 0; i < count; ++i)
      if (!unhex(words[2 + i], arguments[i])) return "bad arguments line";
  }
  {
    std::vector<std::string> words = words_of(lines[2]);
    output = OutputRecord();
    bool good = words.size() == 2 && words[0] == "output" && words[1] == "-1";
    if (!good)
      good = words.size() == 6 && words[0] == "output" && get_number(words[1], LLONG_MAX, output.length) &&
             get_number(words[2], output.length, output.start) && get_number(words[3], UINT64_MAX, output.device) &&
             get_number(words[4], UINT64_MAX, output.inode) && get_hex64(words[5], output.checksum);
    if (!good) return "bad output line";
  }
  {
    std::vector<std::string> words = words_of(lines[3]);
    int printed, complete;
    if (words.size() != 5 || words[0] != "pass" || !get_number(words[1], 1000, state.pass) ||
        !get_number(words[2], SIZE_MAX, state.tasks_done) || !get_number(words[3], 1, printed) ||
        !get_number(words[4], 1, complete))
      return "bad pass line";
    state.pass_printed = printed == 1;
    state.complete = complete == 1;
  }
  if (!get_counts(lines[4], "tried", state.tried) || !get_counts(lines[5], "unconnected", state.unconnected) ||
      !get_counts(lines[6], "duplicated", state.duplicated) || !get_counts(lines[7], "found", state.found) ||
      !get_counts(lines[8], "codimensions", state.found_per_codimension))
    return "bad counter line";
  if (!get_words(lines[9], "labelled", state.labelled_found) ||
      !get_words(lines[10], "labelled-codimensions", state.labelled_per_codimension))
    return "bad labelled line";
  {
    std::vector<std::string> words = words_of(lines[11]);
    if (words.size() != 2 || words[0] != "printer" || !unhex(words[1], state.printer_state))
      return "bad printer line";
  }
  return "";
}

std::string CheckpointFile::named() const { return "checkpoint " + PrintableText(path_); }

std::string CheckpointFile::Open(const std::string& output_to_create) {
  output_to_create_ = output_to_create;
  // What the checkpoint is comes first: a refusal for a directory or a
  // device leaves no lock file beside it.
  std::string problem = kind_problem();
  if (problem.empty()) problem = lock();
  if (problem.empty()) problem = output_to_create_.empty() ? open_output() : new_output_problem();
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
  problem = Parse(text, arguments, recorded, state_);
  if (!problem.empty()) return named() + " is damaged (" + problem + "); remove it to start afresh";
  if (arguments != arguments_)
    return named() + " belongs to another run (arguments: " + PrintableText(join(arguments)) + ")";
  problem = check_output(recorded);
  if (!problem.empty()) return problem;
  recorded_ = recorded;
  resumed_ = true;
  return "";
}

// The lock file, not the checkpoint, carries the lock: every record puts
// a new checkpoint file in place, and a lock on the old one would go with
// it.  The run that holds the lock removes the file when it ends, unless
// it was refused and found the file there (left by a killed run); a run
// that locked a file just removed (or replaced) tries again with the file
// now there, so that two runs never hold locks on two different files.
std::string CheckpointFile::lock() {
  std::string lock_path = path_ + ".lock";
  for (int attempt = 0; attempt < 100; ++attempt) {
    const int flags = O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
    lock_fd_ = open(lock_path.c_str(), flags | O_CREAT | O_EXCL, 0644);
    remove_lock_ = lock_fd_ >= 0;
    if (lock_fd_ < 0 && errno == EEXIST) {
      lock_fd_ = open(lock_path.c_str(), flags);
      if (lock_fd_ < 0 && errno == ENOENT) continue;  // removed since
    }
    if (lock_fd_ < 0)
      return "cannot open the lock file " + PrintableText(lock_path) + " of " + named() + ": " + strerror(errno);
    struct stat status;
    if (fstat(lock_fd_, &status) != 0 || !S_ISREG(status.st_mode))
      return "the lock file " + PrintableText(lock_path) + " of " + named() + " is not a regular file";
    if (flock(lock_fd_, LOCK_EX | LOCK_NB) != 0) {
      if (errno == EWOULDBLOCK)
        return named() + " is in use by another run (it holds " + PrintableText(lock_path) +
               "): wait for that run to end";
      return "cannot lock " + PrintableText(lock_path) + ": " + strerror(errno);
    }
    struct stat now;
    if (lstat(lock_path.c_str(), &now) == 0 && same_file(status, now)) {
      locked_ = true;
      return "";
    }
    close(lock_fd_);
    lock_fd_ = -1;
  }
  return "cannot lock " + PrintableText(lock_path) + ": it is replaced again and again";
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
  return open_output();
}


// A regular output is opened again, read-only: through /proc, which
// reaches the very file standard output is, whatever its name.
std::string CheckpointFile::open_output() {
  struct stat status;
  if (fstat(fileno(output_), &status) != 0)
    return std::string("cannot examine standard output: ") + strerror(errno);
  if (!S_ISREG(status.st_mode)) return "";
  std::string self = "/proc/self/fd/" + std::to_string(fileno(output_));
  read_fd_ = open(self.c_str(), O_RDONLY | O_CLOEXEC);
  struct stat reopened;
  if (read_fd_ < 0 || fstat(read_fd_, &reopened) != 0 || !same_file(status, reopened))
    return std::string("cannot read standard output back (to checksum what the run writes to it): ") +
           (read_fd_ < 0 ? strerror(errno) : "it is another file through /proc");
  struct stat lock_status;
  if (fstat(lock_fd_, &lock_status) == 0 && same_file(status, lock_status))
    return "standard output is the lock file of " + named() + ": give the output another file";
  if (flock(read_fd_, LOCK_EX | LOCK_NB) != 0)
    return errno == EWOULDBLOCK ? "standard output is the output file of another checkpointed run: wait for that "
                                  "run to end, or give this one another output file"
                                : std::string("cannot lock standard output: ") + strerror(errno);
  device_ = static_cast<uint64_t>(status.st_dev);
  inode_ = static_cast<uint64_t>(status.st_ino);
  start_ = static_cast<long long>(status.st_size);
  return "";
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
  if (read_fd_ >= 0 && status.st_dev == device_ && status.st_ino == inode_)
    return named() + " is the output file itself: give the checkpoint and the output different files";
  int fd = open(path_.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return "cannot read " + named() + ": " + strerror(errno);
  struct stat opened;
  if (fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode) || !same_file(status, opened)) {
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

std::string CheckpointFile::check_output(const OutputRecord& recorded) {
  if (recorded.length < 0) {
    // The output was a pipe or a device, which keeps nothing to check;
    // a regular file now is checksummed from here on.
    return "";
  }
  if (!output_to_create_.empty())
    return named() + " recorded standard output as a file of " + std::to_string(recorded.length) +
           " bytes, but the output file " + PrintableText(output_to_create_) +
           " does not exist: resume with that file";
  if (read_fd_ < 0)
    return named() + " recorded standard output as a file of " + std::to_string(recorded.length) +
           " bytes, but standard output is not a regular file now: resume with >> that file";
  if (recorded.device != device_ || recorded.inode != inode_)
    return named() + " recorded another output file (device " + std::to_string(recorded.device) + ", inode " +
           std::to_string(recorded.inode) + "): resume with that file, appended to (>> file)";
  if (start_ < recorded.length)
    return "standard output holds " + std::to_string(start_) + " bytes, fewer than the " +
           std::to_string(recorded.length) + " recorded in " + named() +
           ": resume with the same output file, appended to (>> file)";
  OutputChecksum written;
  if (!checksum_range(read_fd_, recorded.start, recorded.length, written))
    return std::string("cannot read standard output back: ") + strerror(errno);
  if (written.Digest() != recorded.checksum)
    return "the bytes " + std::to_string(recorded.start) + " to " + std::to_string(recorded.length) +
           " of standard output are not those recorded in " + named() +
           " (their checksum differs): the output file was changed; nothing was cut";
  checksum_ = written;
  start_ = recorded.start;
  return "";
}

std::string CheckpointFile::StateRefusal(const std::string& problem) const {
  if (problem.empty()) return "";
  return named() + " holds a state that no run of these arguments writes (" + problem +
         "); remove it to start afresh";
}

std::string CheckpointFile::PrepareOutput() {
  remove_lock_ = true;  // the run goes on
  writer_.RemoveLeftovers();
  if (!resumed_ || recorded_.length < 0 || state_.complete) return "";
  int fd = fileno(output_);
  if (ftruncate(fd, static_cast<off_t>(recorded_.length)) != 0 ||
      lseek(fd, static_cast<off_t>(recorded_.length), SEEK_SET) < 0)
    return std::string("cannot cut standard output back to the checkpoint's length: ") + strerror(errno);
  return "";
}

bool CheckpointFile::Due() {
  return StopRequested() || std::chrono::steady_clock::now() - last_record_ >= interval_;
}

bool CheckpointFile::StopRequested() const { return CaughtStopSignal() != 0; }

// Only what was appended since the last record is read back.
void CheckpointFile::extend_checksum() {
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

void CheckpointFile::Record(const RunState& state) {
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
  writer_.Write(Format(arguments_, output, state));
  last_record_ = std::chrono::steady_clock::now();
}

