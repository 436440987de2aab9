# Copyright 2026 The stable-graphs Authors.
# SPDX-License-Identifier: Apache-2.0
#
# Checks the layer check itself on two small trees made in WORK_DIR: one
# whose includes go down, which it must pass, and one where graph/ includes
# computer/, which it must refuse naming the file.
#
#   cmake -DWORK_DIR=build/layers -DCHECK=cmake/CheckLayers.cmake -P cmake/CheckLayersSelfTest.cmake

foreach(tree good bad)
  set(root ${WORK_DIR}/${tree})
  file(REMOVE_RECURSE ${root})
  file(WRITE ${root}/computer/search.cc "#include \"graph/graph.h\"\n#include \"computer/search.h\"\n")
  file(WRITE ${root}/main/main.cc "#include \"computer/search.h\"\n")
  file(WRITE ${root}/graph/graph_test.cc "#include \"main/options.h\"\n")
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
endforeach()
message(STATUS "the layer check passes a good tree and refuses an upward include")
