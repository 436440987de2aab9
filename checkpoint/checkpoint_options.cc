// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
#include "checkpoint/checkpoint_options.h"

#include <stdlib.h>
#include <string.h>

#include <cmath>

std::string TakeCheckpointOptions(std::vector<char*>& args, CheckpointOptions& options) {
  std::vector<char*> rest;
  for (size_t i = 0; i < args.size(); ++i) {
    const char* arg = args[i];
    bool file = i > 0 && arg != nullptr && strcmp(arg, "--checkpoint") == 0;
    bool interval = i > 0 && arg != nullptr && strcmp(arg, "--checkpoint-interval") == 0;
    bool output = i > 0 && arg != nullptr && strcmp(arg, "--output") == 0;
    if (!file && !interval && !output) {
      rest.push_back(args[i]);
      continue;
    }
    if (i + 1 >= args.size() || args[i + 1] == nullptr) return std::string("option ") + arg + " needs a value";
    const char* value = args[++i];
    if (file || output) {
      if (value[0] == '\0') return std::string("option ") + arg + " needs a file name, not an empty one";
      (file ? options.path : options.output) = value;
    } else {
      char* end = nullptr;
      double seconds = strtod(value, &end);
      if (end == value || *end != '\0' || !std::isfinite(seconds) || seconds < 0)
        return std::string("option --checkpoint-interval takes a number of seconds, not '") + value + "'";
      options.interval_seconds = seconds;
    }
  }
  args.swap(rest);
  return "";
}
