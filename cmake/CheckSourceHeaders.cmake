# Copyright 2026 The stable-graphs Authors.
# SPDX-License-Identifier: Apache-2.0
#
# Checks that every source file under SOURCE_DIR carries the license line
# right after its copyright line, in the file's own comment syntax:
#
#   // Copyright 2026 The stable-graphs Authors.      (C++)
#   // SPDX-License-Identifier: Apache-2.0
#
#   # Copyright ...  /  # SPDX-License-Identifier: Apache-2.0   (CMake, scripts, Python, .in)
#   .\" Copyright ... / .\" SPDX-License-Identifier: Apache-2.0  (manual pages)
#
# Source files are the C++, CMake, Python, manual page and template files
# and every script starting with #!; data (fuzz seeds, pictures, Markdown)
# is not.  Fails naming each file that lacks the line.
#
#   cmake -DSOURCE_DIR=. -P cmake/CheckSourceHeaders.cmake

if(NOT SOURCE_DIR)
  message(FATAL_ERROR "CheckSourceHeaders: give -DSOURCE_DIR=<repository root>")
endif()

# The files git knows, tracked or new (and not ignored), so that a file is
# checked before it is committed; build folders stay out.  Without git, the
# tree itself minus build folders.
execute_process(COMMAND git ls-files --cached --others --exclude-standard
                WORKING_DIRECTORY ${SOURCE_DIR}
                RESULT_VARIABLE git_status OUTPUT_VARIABLE listing ERROR_QUIET)
if(git_status EQUAL 0)
  string(REPLACE "\n" ";" files "${listing}")
else()
  file(GLOB_RECURSE files RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*)
  list(FILTER files EXCLUDE REGEX "^(build[^/]*|\\.git)/")
endif()

set(source_name_regex "(\\.(cc|h|cpp|hpp|c|py|cmake|in|sh|[1-9])|/CMakeLists\\.txt|^CMakeLists\\.txt)$")
set(missing "")
set(checked 0)
foreach(file IN LISTS files)
  set(path ${SOURCE_DIR}/${file})
  if(file STREQUAL "" OR IS_DIRECTORY ${path} OR NOT EXISTS ${path} OR file MATCHES "^fuzz/corpus/")
    continue()
  endif()
  file(READ ${path} head LIMIT 600)
  if(NOT file MATCHES "${source_name_regex}" AND NOT head MATCHES "^#!")
    continue()
  endif()
  math(EXPR checked "${checked} + 1")
  # The comment prefix of the copyright line must open the license line on
  # the next line.
  if(NOT head MATCHES "(^|\n)([^\n]*) Copyright [0-9][0-9][0-9][0-9][^\n]*\n([^\n]*)")
    string(APPEND missing "  ${file}: no copyright line (e.g. \"// Copyright 2026 The stable-graphs Authors.\") near its top\n")
    continue()
  endif()
  set(prefix "${CMAKE_MATCH_2}")
  set(next "${CMAKE_MATCH_3}")
  if(NOT next STREQUAL "${prefix} SPDX-License-Identifier: Apache-2.0")
    string(APPEND missing "  ${file}: the line after its copyright line must be \"${prefix} SPDX-License-Identifier: Apache-2.0\"\n")
  endif()
endforeach()

if(NOT missing STREQUAL "")
  message(FATAL_ERROR "Source files without the license line:\n${missing}")
endif()
message(STATUS "${checked} source files carry the license line")
