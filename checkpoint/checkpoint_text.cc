// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
//
// The text is line by line, each line a keyword and numbers separated by
// single spaces (arguments and the printer state hex-encoded), closed by a
// checksum of everything before it, so that a file damaged in any way is
// refused rather than resumed wrongly.  Every number is read back only in
// the form Format writes it.
#include "checkpoint/checkpoint_text.h"

#include <errno.h>
#include <stdio.h>
#include <stdlib.h>

#include <climits>
#include <cstdint>
#include <sstream>

#include "graph/hex_text.h"

namespace {

const char kMagic[] = "stable-graphs checkpoint 3";
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

}  // namespace

std::string CheckpointText::Format(const std::vector<std::string>& arguments, const OutputRecord& output,
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

std::string CheckpointText::Parse(const std::string& text, std::vector<std::string>& arguments,
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

