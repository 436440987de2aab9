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
# above every layer.  Within one layer the folders may include each other
# one way only: an include that closes a cycle between folders of one
# layer is refused too, so that each folder can be read, built and tested
# on top of the ones it uses.
#
# Below main/ nothing names a process-wide stream or asks what it is
# (stdout, stderr, freopen, isatty): the library writes to the sinks the
# tools hand it, so that a program using it decides where its bytes go.
# Fails naming each include that points the wrong way and each such use.
#
#   cmake -DSOURCE_DIR=. -P cmake/CheckLayers.cmake

cmake_policy(SET CMP0057 NEW)  # if(... IN_LIST ...)

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

# A whole word, wherever it stands.
set(process_stream "(^|[^A-Za-z0-9_])(stdout|stderr|freopen|isatty)([^A-Za-z0-9_]|$)")

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
  if(own LESS layer_main)
    file(STRINGS ${SOURCE_DIR}/${file} stream_uses REGEX "${process_stream}")
    foreach(line IN LISTS stream_uses)
      string(REGEX MATCH "${process_stream}" use "${line}")
      string(REGEX MATCH "stdout|stderr|freopen|isatty" use "${use}")
      string(APPEND wrong "  ${file}: ${use} (below main/ the library writes to the sinks it is handed)\n")
    endforeach()
  endif()
  file(STRINGS ${SOURCE_DIR}/${file} includes REGEX "^#include \"[a-z_]+/")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^#include \"([a-z_]+)/.*" "\\1" target "${line}")
    if(NOT DEFINED layer_${target})
      continue()
    endif()
    if(layer_${target} GREATER own)
      string(APPEND wrong "  ${file}: ${line} (${target}/ is a layer above ${folder}/)\n")
    elseif(layer_${target} EQUAL own AND NOT target STREQUAL folder)
      # An edge between two folders of one layer, with the first include
      # that makes it, for the cycle check below.
      if(NOT DEFINED uses_${folder}_${target})
        set(uses_${folder}_${target} "${file}: ${line}")
        list(APPEND same_layer_uses_${folder} ${target})
        list(APPEND same_layer_folders ${folder})
      endif()
    endif()
  endforeach()
endforeach()

# The folders each folder reaches through includes within its layer, by
# widening the direct uses until nothing changes (a layer has a few
# folders); an edge a -> b whose b reaches a closes a cycle.
if(same_layer_folders)
  list(REMOVE_DUPLICATES same_layer_folders)
endif()
foreach(folder IN LISTS same_layer_folders)
  set(reach_${folder} ${same_layer_uses_${folder}})
endforeach()
set(changed TRUE)
while(changed)
  set(changed FALSE)
  foreach(folder IN LISTS same_layer_folders)
    foreach(next IN LISTS reach_${folder})
      foreach(further IN LISTS same_layer_uses_${next})
        if(NOT further IN_LIST reach_${folder})
          list(APPEND reach_${folder} ${further})
          set(changed TRUE)
        endif()
      endforeach()
    endforeach()
  endforeach()
endwhile()
foreach(folder IN LISTS same_layer_folders)
  foreach(target IN LISTS same_layer_uses_${folder})
    if(folder IN_LIST reach_${target})
      string(APPEND wrong "  ${uses_${folder}_${target}} (${target}/ includes ${folder}/ in turn: a cycle within layer ${layer_${folder}})\n")
    endif()
  endforeach()
endforeach()

if(NOT wrong STREQUAL "")
  message(FATAL_ERROR "Includes that point up through the layers or close a cycle within one, "
                      "and process-wide streams below main/:\n${wrong}")
endif()
message(STATUS "${checked} source files include only from their own layer or below")
