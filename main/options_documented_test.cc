// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
//
// Every option the parser takes (KnownOptions, outside which it refuses
// all) is in the help, in doc/command-line.md and in the manual pages, with
// the values it accepts; and those values are the parser's.
#include "main/options_parser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "main/usage.h"
#include "testing/test_process.h"
#include "testing/test_support.h"

namespace {

/// One tool and the pages that document it: its section of
/// doc/command-line.md and its manual page, which describes every option,
/// and the manual pages whose synopsis lists them too.
struct ToolPages {
  Tool tool;
  std::string name;
  std::string page;
  std::vector<std::string> synopsis_pages;
};

std::vector<ToolPages> Tools() {
  return {{Tool::kEnumerate, "stable-graphs", "man/stable-graphs.1", {"man/stable-graphs-mpi.1"}},
          {Tool::kConvert, "stable-graphs-convert", "man/stable-graphs-convert.1", {}}};
}

std::string SourceFile(const std::string& relative) {
  return ReadFile(std::string(STABLE_GRAPHS_SOURCE_DIR) + "/" + relative);
}

/// Runs of blanks as one space, so that a synopsis reads the same however
/// its lines are broken.
std::string Collapsed(const std::string& text) {
  std::string result;
  for (char c : text) {
    bool blank = c == ' ' || c == '\t' || c == '\n';
    if (!blank) result += c;
    else if (!result.empty() && result.back() != ' ') result += ' ';
  }
  return result;
}

/// Whether `word` stands in `text` on its own: not as part of a longer
/// option ("-h" within "--help") or of a longer list of values.  A bare
/// option may stand among alternatives ("(--help|-h)"); an option with its
/// values may not go on with more ("-S F|T|N|X").
bool HasWord(const std::string& text, const std::string& word) {
  const std::string before = " \t\n[(|`";
  const std::string after = word.find(' ') == std::string::npos ? " \t\n]):,`|" : " \t\n]):,`";
  for (size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) {
    size_t end = at + word.size();
    if ((at == 0 || before.find(text[at - 1]) != std::string::npos) &&
        (end == text.size() || after.find(text[end]) != std::string::npos))
      return true;
  }
  return false;
}

/// The option as a synopsis shows it: "-L", "--output FILE", "-S F|T|N".
std::string SynopsisForm(const KnownOption& option) {
  return option.value ? option.name + " " + *option.value : option.name;
}

/// The values of an option that takes one of a list ("F|T|N"); empty for
/// a flag or a free value ("FILE").
std::vector<std::string> ListedValues(const KnownOption& option) {
  std::vector<std::string> values;
  if (!option.value || option.value->find('|') == std::string::npos) return values;
  std::string rest = *option.value + "|";
  for (size_t bar; (bar = rest.find('|')) != std::string::npos; rest.erase(0, bar + 1))
    values.push_back(rest.substr(0, bar));
  return values;
}

/// Whether `text` describes every value of the option: each as "-S F", or
/// all at once as "-S F|T|N".
bool DescribesEveryValue(const std::string& text, const KnownOption& option) {
  if (HasWord(text, SynopsisForm(option))) return true;
  for (const std::string& value : ListedValues(option))
    if (!HasWord(text, option.name + " " + value)) return false;
  return true;
}

/// The text between the line `heading` and the next line starting with
/// `next` (a heading of the same level).
std::string Section(const std::string& text, const std::string& heading, const std::string& next) {
  size_t start = text.find("\n" + heading + "\n");
  if (start == std::string::npos) return "";
  start += heading.size() + 2;
  size_t end = text.find("\n" + next, start);
  return text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
    lines.push_back(text.substr(start, end - start));
  lines.push_back(text.substr(start));
  return lines;
}

/// The parser's own words for a wrong value list the values it takes, and
/// it takes each of them.
TEST(OptionsDocumented, ListedValuesAreTheParsers) {
  for (const ToolPages& tool : Tools()) {
    for (const KnownOption& option : KnownOptions(tool.tool)) {
      std::vector<std::string> values = ListedValues(option);
      if (values.empty()) continue;
      std::string listed;
      for (size_t i = 0; i < values.size(); ++i)
        listed += (i == 0 ? "" : i + 1 == values.size() ? " or " : ", ") + values[i];
      std::vector<std::string> args = {tool.name, option.name, "?", "2"};
      std::vector<char*> argv;
      for (std::string& arg : args) argv.push_back(&arg[0]);
      Options options;
      std::string error;
      EXPECT_FALSE(ParseOptions(tool.tool, static_cast<int>(argv.size()), argv.data(), &options, &error));
      EXPECT_EQ("option " + option.name + " takes " + listed + ", not '?'", error) << tool.name;
      for (const std::string& value : values) {
        args[2] = value;
        argv.clear();
        for (std::string& arg : args) argv.push_back(&arg[0]);
        EXPECT_TRUE(ParseOptions(tool.tool, static_cast<int>(argv.size()), argv.data(), &options, &error))
            << tool.name << " " << option.name << " " << value << ": " << error;
      }
    }
  }
}

// The parser refuses what the list does not hold, even near misses of it.
TEST(OptionsDocumented, ParserRefusesOptionsOutsideTheList) {
  for (const ToolPages& tool : Tools()) {
    for (std::string arg : {"-X", "--searc", "--boundary", "-PP", "---help", "--checkpoint-"}) {
      std::vector<std::string> args = {tool.name, arg, "2"};
      std::vector<char*> argv;
      for (std::string& a : args) argv.push_back(&a[0]);
      Options options;
      std::string error;
      EXPECT_FALSE(ParseOptions(tool.tool, static_cast<int>(argv.size()), argv.data(), &options, &error)) << arg;
      EXPECT_EQ(0u, error.find("unknown option '" + arg + "'")) << error;
    }
  }
  bool converter_has_search = false;
  for (const KnownOption& option : KnownOptions(Tool::kConvert)) converter_has_search |= option.name == "--search";
  EXPECT_FALSE(converter_has_search) << "the converter replays a stream and searches nothing";
}

// --help: the synopsis shows every option, the lines after it describe
// every option and value.
TEST(OptionsDocumented, InTheHelp) {
  for (const ToolPages& tool : Tools()) {
    std::string help = CaptureOutput([&](FILE* out) { PrintHelp(out, tool.tool, tool.name.c_str()); });
    // The synopsis lines are indented; the first line that is not ends it.
    size_t end = help.find("\n", help.find("\n") + 1);
    while (end != std::string::npos && end + 1 < help.size() && help[end + 1] == '\t') end = help.find("\n", end + 1);
    ASSERT_NE(std::string::npos, end) << help;
    std::string synopsis = Collapsed(help.substr(0, end)), description = help.substr(end);
    for (const KnownOption& option : KnownOptions(tool.tool)) {
      EXPECT_TRUE(HasWord(synopsis, SynopsisForm(option))) << tool.name << " --help synopsis lacks "
                                                           << SynopsisForm(option) << ":\n" << synopsis;
      EXPECT_TRUE(HasWord(description, option.name)) << tool.name << " --help describes no " << option.name;
      EXPECT_TRUE(DescribesEveryValue(description, option))
          << tool.name << " --help does not describe every value of " << SynopsisForm(option);
    }
  }
}

// doc/command-line.md: each tool's section has a synopsis showing every
// option and a table with a row for each, and one for each of its values.
TEST(OptionsDocumented, InCommandLineMd) {
  std::string page = SourceFile("doc/command-line.md");
  ASSERT_FALSE(page.empty());
  for (const ToolPages& tool : Tools()) {
    std::string section = Section(page, "## " + tool.name, "## ");
    ASSERT_FALSE(section.empty()) << "doc/command-line.md has no section ## " << tool.name;
    size_t open = section.find("```\n");
    ASSERT_NE(std::string::npos, open) << tool.name;
    size_t close = section.find("```", open + 4);
    ASSERT_NE(std::string::npos, close) << tool.name;
    std::string synopsis = Collapsed(section.substr(open + 4, close - open - 4));
    std::string first_cells;
    for (const std::string& line : Lines(section)) {
      if (line.rfind("| `", 0) != 0) continue;
      // A bar within a cell is written \|.
      std::string cell = line.substr(0, line.find(" |", 2));
      for (size_t bar; (bar = cell.find("\\|")) != std::string::npos;) cell.erase(bar, 1);
      first_cells += cell + "\n";
    }
    for (const KnownOption& option : KnownOptions(tool.tool)) {
      EXPECT_TRUE(HasWord(synopsis, SynopsisForm(option)))
          << "doc/command-line.md's synopsis of " << tool.name << " lacks " << SynopsisForm(option);
      EXPECT_TRUE(HasWord(first_cells, option.name))
          << "doc/command-line.md's table of " << tool.name << " has no row for " << option.name;
      EXPECT_TRUE(DescribesEveryValue(first_cells, option))
          << "doc/command-line.md's table of " << tool.name << " lacks a value of " << SynopsisForm(option);
    }
  }
}

/// The tag of every tagged paragraph (the line after .TP) of a manual
/// page, one a line, its font macro dropped and its arguments joined as
/// groff joins them: .B and .I with spaces, .BI, .BR and the like without.
std::string ManTags(const std::string& page) {
  std::string tags;
  std::vector<std::string> lines = Lines(page);
  for (size_t i = 0; i + 1 < lines.size(); ++i) {
    if (lines[i] != ".TP") continue;
    std::string line = lines[i + 1];
    bool alternating = false;
    if (line.rfind(".", 0) == 0) {
      size_t space = line.find(' ');
      alternating = space == 3;  // .BI, .BR, .IB, .IR, .RB, .RI
      line = space == std::string::npos ? "" : line.substr(space + 1);
    }
    std::string tag;
    bool quoted = false;
    for (size_t k = 0; k < line.size(); ++k) {
      if (line[k] == '"') quoted = !quoted;
      else if (line[k] == ' ' && !quoted) tag += alternating ? "" : " ";
      else if (line.compare(k, 2, "\\-") == 0) tag += '-', ++k;
      else tag += line[k];
    }
    tags += tag + "\n";
  }
  return tags;
}

/// A manual page as groff shows it, on lines long enough that nothing is
/// broken or hyphenated.
std::string Rendered(const std::string& path) {
  ProcessResult result = RunProcess(FindOnPath("env"), {"env", "LC_ALL=C", FindOnPath("groff"), "-man", "-Tascii",
                                                        "-rLL=2000n", "-P-c", "-P-b", "-P-u", path});
  EXPECT_EQ(0, result.status) << path << ": " << result.err;
  return result.out;
}

// The manual pages: the synopsis of each shows every option, and the page
// of the tool describes each in a tagged paragraph.
TEST(OptionsDocumented, InTheManualPages) {
  if (FindOnPath("groff").empty()) GTEST_SKIP() << "groff is not on PATH";
  for (const ToolPages& tool : Tools()) {
    std::vector<std::string> pages = tool.synopsis_pages;
    pages.insert(pages.begin(), tool.page);
    for (const std::string& page : pages) {
      std::string rendered = Rendered(std::string(STABLE_GRAPHS_SOURCE_DIR) + "/" + page);
      size_t start = rendered.find("\nSYNOPSIS\n");
      ASSERT_NE(std::string::npos, start) << page << ":\n" << rendered;
      size_t end = rendered.find("\nDESCRIPTION\n", start);
      ASSERT_NE(std::string::npos, end) << page;
      std::string synopsis = Collapsed(rendered.substr(start + 10, end - start - 10));
      for (const KnownOption& option : KnownOptions(tool.tool))
        EXPECT_TRUE(HasWord(synopsis, SynopsisForm(option)))
            << page << "'s synopsis lacks " << SynopsisForm(option) << ":\n" << synopsis;
    }
    std::string tags = ManTags(SourceFile(tool.page));
    for (const KnownOption& option : KnownOptions(tool.tool))
      EXPECT_TRUE(HasWord(tags, option.name)) << tool.page << " has no paragraph for " << option.name << ":\n" << tags;
  }
}

// The checks above see what they should: a tag and a synopsis as groff
// joins them, and options apart from longer ones.
TEST(OptionsDocumented, ReadsTagsAndWords) {
  EXPECT_EQ("-P L\n--help, -h\n-P C, -P H\n-E\n--output FILE\n",
            ManTags(".TP\n.BI \\-P \" L\"\n.TP\n.BR \\-\\-help \", \" \\-h\n.TP\n"
                    ".BR \"\\-P C\" \", \" \"\\-P H\"\n.TP\n.B \\-E\n.TP\n.BI \\-\\-output \" FILE\"\nx\n"));
  EXPECT_TRUE(HasWord("--help, -h\n", "-h"));
  EXPECT_FALSE(HasWord("--help\n", "-h"));
  EXPECT_FALSE(HasWord("[--checkpoint-interval S]", "--checkpoint"));
  EXPECT_TRUE(HasWord("[-S F|T|N]", "-S F|T|N"));
  EXPECT_FALSE(HasWord("[-S F|T|N|X]", "-S F|T|N"));
  EXPECT_TRUE(HasWord("(--help|-h|--version)", "-h"));
  KnownOption statistics = {"-S", "F|T|N"};
  EXPECT_TRUE(DescribesEveryValue("-S F: a\n-S T: b\n-S N: c\n", statistics));
  EXPECT_FALSE(DescribesEveryValue("-S F: a\n-S N: c\n", statistics));
  EXPECT_EQ("[-P L|T] -C C genus", Collapsed("[-P L|T]\n\t\t-C  C\n genus"));
}

}  // namespace
