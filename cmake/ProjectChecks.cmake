# Copyright 2026 The stable-graphs Authors.
# SPDX-License-Identifier: Apache-2.0
#
# Tests of the project's bookkeeping rather than its code: the license line
# of every source file, includes that follow the layers, and one version
# number everywhere.

add_test(NAME source_files_carry_license_line
         COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${CMAKE_CURRENT_SOURCE_DIR}
                 -P ${CMAKE_CURRENT_SOURCE_DIR}/cmake/CheckSourceHeaders.cmake)

add_test(NAME includes_follow_the_layers
         COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${CMAKE_CURRENT_SOURCE_DIR}
                 -P ${CMAKE_CURRENT_SOURCE_DIR}/cmake/CheckLayers.cmake)

add_test(NAME layer_check_refuses_upward_includes
         COMMAND ${CMAKE_COMMAND} -DWORK_DIR=${CMAKE_CURRENT_BINARY_DIR}/layer-check
                 -DCHECK=${CMAKE_CURRENT_SOURCE_DIR}/cmake/CheckLayers.cmake
                 -P ${CMAKE_CURRENT_SOURCE_DIR}/cmake/CheckLayersSelfTest.cmake)

set(tools_with_version "$<TARGET_FILE:stable-graphs>|$<TARGET_FILE:stable-graphs-convert>")
if(TARGET stable-graphs-mpi)
  string(APPEND tools_with_version "|$<TARGET_FILE:stable-graphs-mpi>")
endif()
add_test(NAME versions_agree
         COMMAND ${CMAKE_COMMAND} -DVERSION=${PROJECT_VERSION} -DSOURCE_DIR=${CMAKE_CURRENT_SOURCE_DIR}
                 -DPC_FILE=${CMAKE_CURRENT_BINARY_DIR}/stable-graphs.pc
                 -DCPACK_CONFIG=${CMAKE_BINARY_DIR}/CPackConfig.cmake
                 "-DTOOLS=${tools_with_version}"
                 -DLATEX_TOOL=$<TARGET_FILE:stable-graphs>
                 -P ${CMAKE_CURRENT_SOURCE_DIR}/cmake/CheckVersions.cmake)

# The scripts that no test runs at least parse: a syntax error kept
# bench/run from running at all once.
add_test(NAME scripts_parse
         COMMAND bash -c "for script in \"$@\"; do bash -n \"$script\" || exit 1; done"
                 scripts_parse ${CMAKE_CURRENT_SOURCE_DIR}/bench/run ${CMAKE_CURRENT_SOURCE_DIR}/bench/euler
                 ${CMAKE_CURRENT_SOURCE_DIR}/.ci/run ${CMAKE_CURRENT_SOURCE_DIR}/.ci/check-debian-package)
