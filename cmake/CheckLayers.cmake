# Copyright 2026 The stable-graphs Authors.
# SPDX-License-Identifier: Apache-2.0
#
# Checks that includes go one way through the layers of the library:
#
#   graph -> labelled, euler, moduli -> computer -> printers, stream, poset
#         -> checkpoint, distributed, homology -> main
#
# A source file of a folder may include headers of its own layer and of the
# layers before it, never of a layer after it.  Tests (*_test.cc,
# *_perftest.cc) are not bound: a test of a lower layer may drive it
# through the layers above, end to end, and use the helpers of testing/
# (linked into tests only); testing/, fuzz/, bench/ and examples/ stand
# above every layer.
# Fails naming each include that points the wrong way.
#
#   cmake -DSOURCE_DIR=. -P cmake/CheckLayers.cmake

if(NOT SOURCE_DIR)
  message(FATAL_ERROR "CheckLayers: give -DSOURCE_DIR=<repository root>")
endif()

set(layer_graph 0)
set(layer_labelled 1)
set(layer_euler 1)
set(layer_moduli 1)
set(layer_computer 2)
set(layer_printers 3)
set(layer_stream 3)
set(layer_poset 3)
set(layer_checkpoint 4)
set(layer_distributed 4)
set(layer_homology 4)
set(layer_main 5)
set(layer_testing 6)

# The files git knows, tracked or new, when SOURCE_DIR is a work tree's
# top; else every C++ file under it.
execute_process(COMMAND git rev-parse --show-toplevel WORKING_DIRECTORY ${SOURCE_DIR}
                RESULT_VARIABLE git_status OUTPUT_VARIABLE top OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
get_filename_component(source_real ${SOURCE_DIR} REALPATH)
if(git_status EQUAL 0)
  get_filename_component(top ${top} REALPATH)
endif()
if(git_status EQUAL 0 AND top STREQUAL source_real)
  execute_process(COMMAND git ls-files --cached --others --exclude-standard
                  WORKING_DIRECTORY ${SOURCE_DIR} OUTPUT_VARIABLE listing ERROR_QUIET)
  string(REPLACE "\n" ";" files "${listing}")
else()
  file(GLOB_RECURSE files RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*.cc ${SOURCE_DIR}/*.h)
endif()

set(wrong "")
set(checked 0)
foreach(file IN LISTS files)
  if(NOT file MATCHES "^([a-z_]+)/[^/]+\\.(cc|h)$" OR NOT EXISTS ${SOURCE_DIR}/${file})
    continue()
  endif()
  set(folder ${CMAKE_MATCH_1})
  if(NOT DEFINED layer_${folder} OR folder STREQUAL "testing")
    continue()
  endif()
  set(own ${layer_${folder}})
  if(file MATCHES "_(perf)?test\\.cc$")
    continue()
  endif()
  math(EXPR checked "${checked} + 1")
  file(STRINGS ${SOURCE_DIR}/${file} includes REGEX "^#include \"[a-z_]+/")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^#include \"([a-z_]+)/.*" "\\1" target "${line}")
    if(NOT DEFINED layer_${target})
      continue()
    endif()
    if(layer_${target} GREATER own)
      string(APPEND wrong "  ${file}: ${line} (${target}/ is a layer above ${folder}/)\n")
    endif()
  endforeach()
endforeach()

if(NOT wrong STREQUAL "")
  message(FATAL_ERROR "Includes that point up through the layers:\n${wrong}")
endif()
message(STATUS "${checked} source files include only from their own layer or below")
