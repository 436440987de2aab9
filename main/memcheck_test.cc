// Copyright 2026 The stable-graphs Authors.
// SPDX-License-Identifier: Apache-2.0
//
// Whole runs of the stable-graphs executable under valgrind's memcheck:
// every printer, the refusals and a run that loses its output.  Each run
// must behave exactly as without valgrind, which also means that valgrind
// added nothing to standard error.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <string>
#include <vector>

#include "testing/test_process.h"

namespace {

using Args = std::vector<std::string>;

TEST(MemcheckTest, RunsWithEveryPrinterAreClean) {
#ifdef STABLE_GRAPHS_SANITIZED
  GTEST_SKIP() << "valgrind cannot run the sanitizer build";
#else
  std::string valgrind = FindOnPath("valgrind");
  if (valgrind.empty()) {
    // CI sets this, so that a missing valgrind cannot pass for a clean one.
    if (getenv("STABLE_GRAPHS_REQUIRE_VALGRIND") != nullptr) FAIL() << "valgrind is not on PATH";
    GTEST_SKIP() << "valgrind is not on PATH";
  }
  ProcessOptions full_device;
  full_device.stdout_path = "/dev/full";
  struct Case {
    Args args;
    ProcessOptions options;
  };
  for (const Case& c : {Case{{"-P", "L", "3", "1"}, {}}, Case{{"-P", "T", "3", "1"}, {}},
                        Case{{"-P", "B", "3", "1"}, {}}, Case{{"-P", "N", "3", "1"}, {}},
                        Case{{"-P", "T", "-S", "T", "0", "7"}, {}}, Case{{"-P", "L", "-C", "2", "2", "2"}, {}},
                        Case{{"-P", "B", "-S", "N", "-C", "1", "8", "9"}, {}}, Case{{"-P", "L", "2", "1"}, full_device},
                        Case{{"12"}, {}}, Case{{"-P", "X", "1"}, {}}, Case{{"-P", "J", "2", "1"}, {}},
                        Case{{"-P", "S", "2", "1"}, {}}, Case{{"-P", "D", "-C", "2", "2", "1"}, {}},
                        Case{{"--help"}, {}}, Case{{"--version"}, full_device}}) {
    std::string where = testing::PrintToString(c.args) + (c.options.stdout_path.empty() ? "" : " > /dev/full");
    // Valgrind starts the program by its full path, so the plain run does
    // too: messages name the program as started.
    Args plain_args = {StableGraphsBinary()};
    plain_args.insert(plain_args.end(), c.args.begin(), c.args.end());
    ProcessResult plain = RunProcess(StableGraphsBinary(), plain_args, c.options);
    Args checked = {"valgrind", "--quiet", "--error-exitcode=99", "--leak-check=full", "--show-leak-kinds=all",
                    "--errors-for-leak-kinds=all"};
    checked.insert(checked.end(), plain_args.begin(), plain_args.end());
    ProcessResult run = RunProcess(valgrind, checked, c.options);
    EXPECT_EQ(plain.status, run.status) << where << "\n" << run.err;
    EXPECT_EQ(0, run.signal) << where;
    EXPECT_EQ(plain.out, run.out) << where;
    EXPECT_EQ(plain.err, run.err) << where;
  }
#endif
}

}  // namespace
