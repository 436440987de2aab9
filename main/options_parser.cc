// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "main/options_parser.h"

#include <string.h>

#include <string>
#include <vector>

#include "graph/printable_text.h"
#include "main/number_argument.h"
#include "main/usage.h"

const std::vector<KnownOption>& KnownOptions(Tool tool) {
  static const std::vector<KnownOption> enumerate = {
      {"-P", "L|T|B|J|S|D|C|H|N"},
      {"-S", "F|T|N"},
      {"-C", "C"},
      {"-L", std::nullopt},
      {"-E", std::nullopt},
      {"-M", "st|ct|rt|tl|sm"},
      {"--boundary-complex", std::nullopt},
      {"--homology", std::nullopt},
      {"--whole-complex", std::nullopt},
      {"--homology-export", "DIR"},
      {"--search", "stored|orderly|pruned"},
      {"--checkpoint", "FILE"},
      {"--checkpoint-interval", "SECONDS"},
      {"--output", "FILE"},
      {"--help", std::nullopt},
      {"-h", std::nullopt},
      {"--version", std::nullopt},
  };
  static const std::vector<KnownOption> convert = {
      {"-P", "L|T|B|J|S|D|C|H|N"},
      {"-C", "C"},
      {"-E", std::nullopt},
      {"-M", "st|ct|rt|tl|sm"},
      {"--boundary-complex", std::nullopt},
      {"--homology", std::nullopt},
      {"--whole-complex", std::nullopt},
      {"--homology-export", "DIR"},
      {"--help", std::nullopt},
      {"-h", std::nullopt},
      {"--version", std::nullopt},
  };
  return tool == Tool::kConvert ? convert : enumerate;
}

namespace {

bool is_known_option(Tool tool, const char* arg) {
  for (const KnownOption& option : KnownOptions(tool))
    if (option.name == arg) return true;
  return false;
}

/// One parse: the arguments still to read and what they said so far.
class Parser {
 public:
  Parser(Tool tool, std::vector<char*> args, Options* options) : tool_(tool), args_(std::move(args)), o_(*options) {}

  /// Reads every argument; false with error() on the first bad one.
  bool Run() {
    for (i_ = 1; i_ < args_.size(); ++i_) {
      const char* arg = args_[i_];
      bool positional = arg[0] != '-' || (tool_ == Tool::kConvert && strcmp(arg, "-") == 0);
      if (positional ? !take_positional(arg) : !take_option(arg)) return false;
      if (o_.request != Request::kRun) return true;  // the answer replaces the run
    }
    if (tool_ == Tool::kEnumerate && !o_.type_given) return fail("no genus given");
    if (!o_.search_given) o_.search = SearchFor(o_.statistics);
    return true;
  }

  const std::string& error() const { return error_; }

 private:
  bool fail(const std::string& reason) {
    error_ = reason;
    return false;
  }

  bool take_positional(const char* arg) {
    int slot = positionals_++;
    if (tool_ == Tool::kConvert) {
      if (slot == 0) {
        // "-" names standard input explicitly, so that a type can follow
        // it; an empty path is a missing file like any other.
        o_.stream = arg;
        return true;
      }
      --slot;
    }
    if (slot == 0) return take_number(arg, "the genus", &o_.genus) && (o_.type_given = true);
    if (slot == 1) return take_number(arg, "the number of marked points", &o_.marked_points);
    if (tool_ == Tool::kConvert)
      return fail(std::string("one argument too many: '") + arg + "' after stream, genus and marked_points");
    return fail(std::string("one number too many: '") + arg + "' after genus and marked_points");
  }

  bool take_number(const char* arg, const char* what, int* value) {
    NumberArgument number = ReadNumber(arg);
    if (!number.valid) return fail(std::string(what) + " must be a decimal integer, not '" + arg + "'");
    *value = number.value;
    refuse_beyond_int(what, number);
    return true;
  }

  /// A number beyond int is well formed, so the command line is not
  /// refused with the usage text; the run is refused with one line.
  void refuse_beyond_int(const std::string& what, const NumberArgument& number) {
    if (!number.fits_int && o_.number_refusal.empty()) o_.number_refusal = OutOfRangeReason(what, number);
  }

  bool take_option(const char* arg) {
    // An option outside the list is refused even when handled below, so
    // that the list, which the help and the manuals are checked against,
    // holds every option.
    if (!is_known_option(tool_, arg)) return unknown_option(arg);
    // The GNU conventions: the answer replaces the run, whatever follows.
    if (strcmp(arg, "--help") == 0 || strcmp(arg, "-h") == 0) {
      o_.request = Request::kHelp;
      return true;
    }
    if (strcmp(arg, "--boundary-complex") == 0) {
      o_.boundary_complex = true;
      return true;
    }
    if (strcmp(arg, "--homology") == 0) {
      o_.homology = true;
      return true;
    }
    if (strcmp(arg, "--whole-complex") == 0) {
      o_.whole_complex = true;
      return true;
    }
    if (strcmp(arg, "--homology-export") == 0) return take_homology_export();
    if (strcmp(arg, "--search") == 0) return take_search();
    if (strcmp(arg, "--version") == 0) {
      o_.request = Request::kVersion;
      return true;
    }
    switch (strlen(arg) == 2 ? arg[1] : '\0') {
      case 'C': return take_edge_filter();
      case 'P': return take_format();
      case 'S': return take_statistics();
      case 'M': return take_moduli();
      case 'L': o_.labelled = true; return true;
      case 'E': o_.euler_check = true; return true;
      default: return unknown_option(arg);
    }
  }

  /// An argument that starts with '-' and is not an option; a value glued
  /// to its option gets a hint.
  bool unknown_option(const char* arg) {
    const char* with_values = tool_ == Tool::kEnumerate ? "CPSM" : "CPM";
    std::string reason = std::string("unknown option '") + arg + "'";
    if (strlen(arg) > 2 && strchr(with_values, arg[1]) != nullptr)
      reason += std::string(" (an option's value is the next argument: -") + arg[1] + " " + (arg + 2) + ")";
    return fail(reason);
  }

  /// The value of the option at i_, or nullptr after failing with `needs`.
  const char* value(const char* needs) {
    if (i_ + 1 >= args_.size()) {
      fail(std::string("option ") + args_[i_] + " needs a value (" + needs + ")");
      return nullptr;
    }
    return args_[++i_];
  }

  bool take_edge_filter() {
    const char* text = value("a number of edges");
    if (text == nullptr) return false;
    NumberArgument number = ReadNumber(text);
    if (!number.valid) return fail(std::string("option -C takes a number of edges, not '") + text + "'");
    if (number.typed[0] == '-')
      return fail(std::string("option -C takes a number of edges, which must not be negative (got '") + text + "')");
    o_.edge_filter = number.value;
    refuse_beyond_int("the number of edges of -C", number);
    return true;
  }

  bool take_format() {
    const char* text = value(kFormatLetters);
    if (text == nullptr) return false;
    if (strlen(text) == 1 && FormatOfLetter(text[0], &o_.format)) return true;
    return fail(std::string("option -P takes ") + kFormatLetters + ", not '" + text + "'");
  }

  bool take_moduli() {
    const char* text = value("st, ct, rt, tl or sm");
    if (text == nullptr) return false;
    if (ParseModuliType(text, o_.moduli)) return true;
    return fail(std::string("option -M takes st, ct, rt, tl or sm, not '") + text + "'");
  }

  bool take_search() {
    const char* text = value("stored, orderly or pruned");
    if (text == nullptr) return false;
    static const std::pair<const char*, SearchKind> kinds[] = {
        {"stored", SearchKind::kStored}, {"orderly", SearchKind::kOrderly}, {"pruned", SearchKind::kPruned}};
    for (const auto& [name, kind] : kinds)
      if (strcmp(text, name) == 0) {
        o_.search = kind;
        o_.search_given = true;
        return true;
      }
    return fail(std::string("option --search takes stored, orderly or pruned, not '") + text + "'");
  }

  bool take_homology_export() {
    const char* text = value("a directory");
    if (text == nullptr) return false;
    if (text[0] == '\0') return fail("option --homology-export takes a directory, not an empty name");
    o_.homology_export = text;
    return true;
  }

  bool take_statistics() {
    const char* text = value("F, T or N");
    if (text == nullptr) return false;
    // The usage text has always offered N for "no statistics"; S is
    // accepted as well.
    const char* at = strlen(text) == 1 ? strchr("FTSN", text[0]) : nullptr;
    if (at == nullptr) return fail(std::string("option -S takes F, T or N, not '") + text + "'");
    o_.statistics = *at == 'F' ? StatisticsFull : *at == 'T' ? StatisticsTerse : StatisticsNone;
    return true;
  }

  Tool tool_;
  std::vector<char*> args_;
  Options& o_;
  size_t i_ = 0;
  int positionals_ = 0;
  std::string error_;
};

}  // namespace

// The orderly search finds the graphs of the stored one in the same order
// with the same counters, faster; the pruned one is faster still, but
// examines fewer candidates, so its counters differ from the report the
// tool has always written.
SearchKind SearchFor(Statistics statistics) {
  return statistics == StatisticsNone ? SearchKind::kPruned : SearchKind::kOrderly;
}

bool ParseOptions(Tool tool, int argc, char** argv, Options* options, std::string* error) {
  *options = Options();
  options->tool = tool;
  error->clear();
  std::vector<char*> args(argv, argv + (argc > 0 ? argc : 0));
  if (tool == Tool::kEnumerate) {
    // The checkpoint options come out first, wherever they stand; the rest
    // is what a checkpoint records as its run's arguments.
    *error = TakeCheckpointOptions(args, options->checkpoint);
    if (error->empty() && args.size() < 2) return false;  // no arguments: the bare usage
  }
  bool good = error->empty();
  if (good) {
    Parser parser(tool, args, options);
    good = parser.Run();
    *error = parser.error();
  }
  if (args.size() > 1) options->run_arguments.assign(args.begin() + 1, args.end());
  *error = PrintableText(*error);
  return good;
}
