// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
//
// The text is line by line, each line a keyword and numbers (arguments and
// the printer state hex-encoded), closed by a checksum of everything
// before it, so that a file damaged in any way is refused rather than
// resumed wrongly.
#include "checkpoint/checkpoint_file.h"

#include <errno.h>
#include <fcntl.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <utility>

#include "printers/output_error.h"

namespace {

const char kMagic[] = "stable-graphs checkpoint 1";

std::string hex(const std::string& bytes) {
  static const char digits[] = "0123456789abcdef";
  std::string out;
  for (unsigned char c : bytes) {
    out.push_back(digits[c >> 4]);
    out.push_back(digits[c & 15]);
  }
  return out.empty() ? "-" : out;
}

bool unhex(const std::string& text, std::string& bytes) {
  bytes.clear();
  if (text == "-") return true;
  if (text.empty() || text.size() % 2 != 0) return false;
  for (size_t i = 0; i < text.size(); i += 2) {
    int value = 0;
    for (char c : {text[i], text[i + 1]}) {
      int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
      if (digit < 0) return false;
      value = value * 16 + digit;
    }
    bytes.push_back(static_cast<char>(value));
  }
  return true;
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

void put_counts(std::ostringstream& out, const char* name, const std::vector<int64_t>& counts) {
  out << name << ' ' << counts.size();
  for (int64_t count : counts) out << ' ' << count;
  out << '\n';
}

/// Reads "name count values..." from one line; false when it is not that.
bool get_counts(const std::string& line, const char* name, std::vector<int64_t>& counts) {
  std::istringstream in(line);
  std::string word;
  size_t size;
  if (!(in >> word) || word != name || !(in >> size) || size > 4096) return false;
  counts.assign(size, 0);
  for (int64_t& count : counts)
    if (!(in >> count) || count < 0) return false;
  return (in >> word).fail();
}

void put_words(std::ostringstream& out, const char* name, const std::vector<std::string>& words) {
  out << name << ' ' << words.size();
  for (const std::string& word : words) out << ' ' << word;
  out << '\n';
}

/// Reads "name count decimal-numbers..." from one line.
bool get_words(const std::string& line, const char* name, std::vector<std::string>& words) {
  std::istringstream in(line);
  std::string word;
  size_t size;
  if (!(in >> word) || word != name || !(in >> size) || size > 4096) return false;
  words.assign(size, "");
  for (std::string& number : words)
    if (!(in >> number) || number.find_first_not_of("0123456789") != std::string::npos) return false;
  return (in >> word).fail();
}

std::string join(const std::vector<std::string>& arguments) {
  std::string out;
  for (const std::string& argument : arguments) out += (out.empty() ? "" : " ") + argument;
  return out;
}

}  // namespace

CheckpointFile::CheckpointFile(std::string path, std::vector<std::string> arguments, double interval_seconds,
                               FILE* output)
    : path_(std::move(path)), arguments_(std::move(arguments)), interval_(interval_seconds), output_(output),
      last_record_(std::chrono::steady_clock::now()) {}

std::string CheckpointFile::Format(const std::vector<std::string>& arguments, long long output_length,
                                   const RunState& state) {
  std::ostringstream out;
  out << kMagic << '\n';
  out << "arguments " << arguments.size();
  for (const std::string& argument : arguments) out << ' ' << hex(argument);
  out << '\n';
  out << "output " << output_length << '\n';
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
                                  long long& output_length, RunState& state) {
  size_t sum_at = text.rfind("sum ");
  if (sum_at == std::string::npos || (sum_at > 0 && text[sum_at - 1] != '\n'))
    return "it has no checksum line";
  if (text.substr(sum_at) != "sum " + checksum(text.substr(0, sum_at)) + "\n") return "its checksum does not match";
  std::vector<std::string> lines;
  std::istringstream in(text.substr(0, sum_at));
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  if (lines.size() != 12 || lines[0] != kMagic) return "it is not a stable-graphs checkpoint of this version";
  {
    std::istringstream line(lines[1]);
    std::string word;
    size_t count;
    if (!(line >> word) || word != "arguments" || !(line >> count) || count > 1000) return "bad arguments line";
    arguments.assign(count, "");
    for (std::string& argument : arguments)
      if (!(line >> word) || !unhex(word, argument)) return "bad arguments line";
    if (!(line >> word).fail()) return "bad arguments line";
  }
  {
    std::istringstream line(lines[2]);
    std::string word, rest;
    if (!(line >> word >> output_length) || word != "output" || output_length < -1 || (line >> rest))
      return "bad output line";
  }
  {
    std::istringstream line(lines[3]);
    std::string word, rest;
    int printed, complete;
    if (!(line >> word >> state.pass >> state.tasks_done >> printed >> complete) || word != "pass" ||
        state.pass < 0 || (printed != 0 && printed != 1) || (complete != 0 && complete != 1) || (line >> rest))
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
    std::istringstream line(lines[11]);
    std::string word, value, rest;
    if (!(line >> word >> value) || word != "printer" || !unhex(value, state.printer_state) || (line >> rest))
      return "bad printer line";
  }
  return "";
}

long long CheckpointFile::output_length() const {
  struct stat status;
  if (fstat(fileno(output_), &status) != 0 || !S_ISREG(status.st_mode)) return -1;
  return static_cast<long long>(status.st_size);
}

std::string CheckpointFile::Open() {
  std::ifstream in(path_, std::ios::binary);
  if (!in) {
    if (errno == ENOENT) return "";  // a fresh run
    return "cannot read checkpoint " + path_ + ": " + strerror(errno);
  }
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<std::string> arguments;
  std::string problem = Parse(text, arguments, recorded_length_, state_);
  if (!problem.empty())
    return "checkpoint " + path_ + " is damaged (" + problem + "); remove it to start afresh";
  if (arguments != arguments_)
    return "checkpoint " + path_ + " belongs to another run (arguments: " + join(arguments) + ")";
  if (recorded_length_ >= 0) {
    long long length = output_length();
    if (length < 0)
      return "checkpoint " + path_ + " recorded standard output as a file of " + std::to_string(recorded_length_) +
             " bytes, but standard output is not a regular file now: resume with >> that file";
    if (length < recorded_length_)
      return "standard output holds " + std::to_string(length) + " bytes, fewer than the " +
             std::to_string(recorded_length_) + " recorded in checkpoint " + path_ +
             ": resume with the same output file, appended to (>> file)";
  }
  resumed_ = true;
  return "";
}

std::string CheckpointFile::PrepareOutput() {
  if (!resumed_ || recorded_length_ < 0) return "";
  int fd = fileno(output_);
  if (ftruncate(fd, static_cast<off_t>(recorded_length_)) != 0 ||
      lseek(fd, static_cast<off_t>(recorded_length_), SEEK_SET) < 0)
    return std::string("cannot cut standard output back to the checkpoint's length: ") + strerror(errno);
  return "";
}

bool CheckpointFile::Due() { return std::chrono::steady_clock::now() - last_record_ >= interval_; }

void CheckpointFile::Record(const RunState& state) {
  if (fflush(output_) != 0) throw OutputError(std::string("error writing standard output: ") + strerror(errno));
  std::string text = Format(arguments_, output_length(), state);
  std::string fresh = path_ + ".new";
  auto fail = [&](const char* what) {
    throw OutputError("error writing checkpoint " + path_ + " (" + what + "): " + strerror(errno));
  };
  int fd = open(fresh.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) fail("creating the new file");
  for (size_t done = 0; done < text.size();) {
    ssize_t wrote = write(fd, text.data() + done, text.size() - done);
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote <= 0) {
      close(fd);
      fail("writing");
    }
    done += static_cast<size_t>(wrote);
  }
  if (fsync(fd) != 0) {
    close(fd);
    fail("flushing to disk");
  }
  if (close(fd) != 0) fail("closing");
  if (rename(fresh.c_str(), path_.c_str()) != 0) fail("renaming");
  // The rename itself reaches the disk with the directory.
  std::string directory = path_.find('/') == std::string::npos ? "." : path_.substr(0, path_.rfind('/') + 1);
  int dir = open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    fsync(dir);
    close(dir);
  }
  last_record_ = std::chrono::steady_clock::now();
}
