# Copyright 2026 The stable-graphs Authors.
# SPDX-License-Identifier: Apache-2.0
#
# Makes the Debian package of a build (CPACK -G DEB with CPACK_CONFIG, in
# the folder SCRATCH) and checks that its Depends field is the line DOC
# documents ("Depends: ..."; without stable-graphs-mpi in the package, that
# line less its libopenmpi3 entry), and that the manual pages are in it
# compressed, as Debian has them.  Needs dpkg-shlibdeps and file, which
# cpack uses to find the run-time libraries.
#
#   cmake -DCPACK=cpack -DCPACK_CONFIG=build/CPackConfig.cmake -DSCRATCH=dir -DDOC=doc/library.md -P cmake/CheckDebianDepends.cmake

file(REMOVE_RECURSE ${SCRATCH})
file(MAKE_DIRECTORY ${SCRATCH})
execute_process(COMMAND ${CPACK} -G DEB --config ${CPACK_CONFIG} -B ${SCRATCH}
                RESULT_VARIABLE status OUTPUT_VARIABLE log ERROR_VARIABLE log)
file(GLOB debs ${SCRATCH}/*.deb)
list(LENGTH debs count)
if(NOT status EQUAL 0 OR NOT count EQUAL 1)
  message(FATAL_ERROR "cpack (status ${status}) made ${count} packages:\n${log}")
endif()
execute_process(COMMAND dpkg-deb --field ${debs} Depends OUTPUT_VARIABLE depends OUTPUT_STRIP_TRAILING_WHITESPACE)
execute_process(COMMAND dpkg-deb --contents ${debs} OUTPUT_VARIABLE contents)

file(READ ${DOC} text)
if(NOT text MATCHES "\nDepends: ([^\n]*)\n")
  message(FATAL_ERROR "${DOC} documents no Depends line")
endif()
set(documented "${CMAKE_MATCH_1}")
if(NOT contents MATCHES "/usr/bin/stable-graphs-mpi\n")
  string(REGEX REPLACE ", libopenmpi3 \\([^)]*\\)" "" documented "${documented}")
endif()
if(NOT depends STREQUAL documented)
  message(FATAL_ERROR "The package's Depends is not the one ${DOC} shows:\n"
                      "  package:    ${depends}\n  documented: ${documented}")
endif()

foreach(page stable-graphs stable-graphs-convert)
  if(NOT contents MATCHES "/usr/share/man/man1/${page}\\.1\\.gz\n" OR contents MATCHES "/man1/${page}\\.1\n")
    message(FATAL_ERROR "The package does not hold ${page}.1 compressed alone:\n${contents}")
  endif()
endforeach()
file(REMOVE_RECURSE ${SCRATCH})
message(STATUS "Debian package: Depends: ${depends}")
