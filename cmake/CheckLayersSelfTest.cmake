# Copyright 2026 The stable-graphs Authors.
# SPDX-License-Identifier: Apache-2.0
#
# Checks the layer check itself on small trees made in WORK_DIR: one whose
# includes go down, which it must pass, one where graph/ includes
# computer/, one where printers/ and poset/ (one layer) include each
# other, and one where computer/ writes to stderr and asks isatty, which it
# must refuse naming the file.  main/ and tests may name the streams, and
# a name that merely contains one (report_stderr_lines) is not one.
#
#   cmake -DWORK_DIR=build/layers -DCHECK=cmake/CheckLayers.cmake -P cmake/CheckLayersSelfTest.cmake

foreach(tree good bad cycle streams)
  set(root ${WORK_DIR}/${tree})
  file(REMOVE_RECURSE ${root})
  file(WRITE ${root}/computer/search.cc "#include \"graph/graph.h\"\n#include \"computer/search.h\"\n")
  file(WRITE ${root}/main/main.cc "#include \"computer/search.h\"\nint main() { fputs(\"x\", stdout); return isatty(2); }\n")
  file(WRITE ${root}/graph/graph_test.cc "#include \"main/options.h\"\nvoid f() { fputs(\"x\", stderr); }\n")
  file(WRITE ${root}/computer/report.h "void report_stderr_lines(FILE* my_stdout);\n")
  if(tree STREQUAL "streams")
    file(WRITE ${root}/computer/report.cc "void report() {\n  fputs(\"x\", stderr);\n  if (isatty(1)) {}\n}\n")
  endif()
  # One way within a layer is allowed.
  file(WRITE ${root}/poset/poset.cc "#include \"printers/graph_id.h\"\n#include \"stream/reader.h\"\n")
  if(tree STREQUAL "cycle")
    file(WRITE ${root}/printers/factory.cc "#include \"poset/poset.h\"\n")
  endif()
  if(tree STREQUAL "bad")
    file(WRITE ${root}/graph/graph.h "#include \"computer/search.h\"\n")
  else()
    file(WRITE ${root}/graph/graph.h "#include \"graph/other.h\"\n")
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${root} -P ${CHECK}
                  WORKING_DIRECTORY ${root} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(tree STREQUAL "good" AND NOT status EQUAL 0)
    message(FATAL_ERROR "the layer check refused a tree whose includes go down:\n${err}")
  endif()
  if(tree STREQUAL "bad" AND (status EQUAL 0 OR NOT err MATCHES "graph/graph.h: #include \"computer/search.h\""))
    message(FATAL_ERROR "the layer check passed graph/ including computer/:\n${out}${err}")
  endif()
  # printers/ and poset/ include each other: both includes close the
  # cycle, and poset/'s include of stream/ stays one way.
  if(tree STREQUAL "cycle" AND (status EQUAL 0 OR NOT err MATCHES "poset/poset.cc: #include \"printers/graph_id.h\""
                                OR NOT err MATCHES "printers/factory.cc: #include \"poset/poset.h\""
                                OR err MATCHES "stream/reader.h"))
    message(FATAL_ERROR "the layer check passed or misnamed a cycle between printers/, stream/ and poset/:\n${out}${err}")
  endif()
  if(tree STREQUAL "streams" AND (status EQUAL 0 OR NOT err MATCHES "computer/report.cc: stderr"
                                  OR NOT err MATCHES "computer/report.cc: isatty" OR err MATCHES "report.h"
                                  OR err MATCHES "main.cc" OR err MATCHES "graph_test.cc"))
    message(FATAL_ERROR "the layer check passed or misnamed process-wide streams below main/:\n${out}${err}")
  endif()
endforeach()
message(STATUS "the layer check passes a good tree and refuses an upward include, a cycle within a layer and process-wide streams below main/")
