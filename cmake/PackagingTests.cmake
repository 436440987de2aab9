# Copyright 2026 The stable-graphs Authors.
# SPDX-License-Identifier: Apache-2.0
# Build-time checks of what gets installed.

# Every public header compiles on its own with nothing but the installed
# include root: no nauty header, no other directory of the source tree.
foreach(header IN LISTS STABLE_GRAPHS_PUBLIC_HEADERS)
  string(MAKE_C_IDENTIFIER ${header} name)
  set(source ${CMAKE_CURRENT_BINARY_DIR}/public_headers/${name}.cc)
  file(GENERATE OUTPUT ${source} CONTENT "#include \"${header}\"\n")
  list(APPEND STABLE_GRAPHS_HEADER_CHECKS ${source})
endforeach()
file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/public_headers/include)
foreach(header IN LISTS STABLE_GRAPHS_PUBLIC_HEADERS)
  configure_file(${header} ${CMAKE_CURRENT_BINARY_DIR}/public_headers/include/${header} COPYONLY)
endforeach()
add_library(public_headers_check OBJECT ${STABLE_GRAPHS_HEADER_CHECKS})
target_include_directories(public_headers_check PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/public_headers/include)

# The manual pages format without a warning.
find_program(GROFF groff)
if(GROFF)
  foreach(page stable-graphs.1 stable-graphs-convert.1 stable-graphs-mpi.1)
    add_test(NAME man_page_${page}
             COMMAND ${CMAKE_COMMAND} -DGROFF=${GROFF} -DPAGE=${CMAKE_CURRENT_SOURCE_DIR}/man/${page}
                     -P ${CMAKE_CURRENT_SOURCE_DIR}/cmake/CheckManPage.cmake)
  endforeach()
endif()

# The installed manual pages, compressed, unpack to the pages and render
# whole with man -l (with groff alone where man is missing).
find_program(MAN_PROGRAM man)
if(GROFF)
  foreach(name IN LISTS STABLE_GRAPHS_MAN_PAGE_NAMES)
    add_test(NAME man_page_installed_${name}
             COMMAND ${CMAKE_COMMAND} -DGROFF=${GROFF} -DMAN=${MAN_PROGRAM} -DPAGE_GZ=${CMAKE_CURRENT_BINARY_DIR}/man/${name}.1.gz
                     -DSOURCE=${CMAKE_CURRENT_SOURCE_DIR}/man/${name}.1 -DNAME=${name} -DVERSION=${PROJECT_VERSION}
                     -P ${CMAKE_CURRENT_SOURCE_DIR}/cmake/CheckInstalledManPage.cmake)
    set_tests_properties(man_page_installed_${name} PROPERTIES LABELS packaging)
  endforeach()
endif()

# The Debian package depends on what doc/library.md says it does.  Not in a
# sanitizer or fuzzing build, whose tools link the sanitizers' run-times.
find_program(DPKG_SHLIBDEPS dpkg-shlibdeps)
find_program(FILE_PROGRAM file)
if(DPKG_SHLIBDEPS AND FILE_PROGRAM AND NOT STABLE_GRAPHS_SANITIZE AND NOT STABLE_GRAPHS_FUZZ)
  add_test(NAME package_depends_as_documented
           COMMAND ${CMAKE_COMMAND} -DCPACK=${CMAKE_CPACK_COMMAND} -DCPACK_CONFIG=${CMAKE_BINARY_DIR}/CPackConfig.cmake
                   -DSCRATCH=${CMAKE_CURRENT_BINARY_DIR}/package_depends_check
                   -DDOC=${CMAKE_CURRENT_SOURCE_DIR}/doc/library.md
                   -P ${CMAKE_CURRENT_SOURCE_DIR}/cmake/CheckDebianDepends.cmake)
  set_tests_properties(package_depends_as_documented PROPERTIES LABELS packaging)
endif()

# The code the README and the pages under doc/ show is the code that is
# built.
add_test(NAME readme_excerpts
         COMMAND ${CMAKE_COMMAND} -DROOT=${CMAKE_CURRENT_SOURCE_DIR} -DMINIMUM=2
                 -P ${CMAKE_CURRENT_SOURCE_DIR}/cmake/CheckReadmeExcerpts.cmake)

# The README's examples run as written after its first set-up command,
# from a directory holding only the build and the Python module's sources.
add_test(NAME readme_examples
         COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/cmake/CheckReadmeExamples.sh ${CMAKE_CURRENT_SOURCE_DIR}
                 $<TARGET_FILE_DIR:stable-graphs> ${CMAKE_CURRENT_BINARY_DIR}/readme_examples)
set_tests_properties(readme_examples PROPERTIES TIMEOUT 600 LABELS docs)

# The exit statuses are named once, in doc/command-line.md; the manual
# pages carry the same names.
add_test(NAME man_pages_exit_statuses
         COMMAND ${CMAKE_COMMAND} -DDOC=${CMAKE_CURRENT_SOURCE_DIR}/doc/command-line.md
                 "-DPAGES=${CMAKE_CURRENT_SOURCE_DIR}/man/stable-graphs.1|${CMAKE_CURRENT_SOURCE_DIR}/man/stable-graphs-convert.1|${CMAKE_CURRENT_SOURCE_DIR}/man/stable-graphs-mpi.1"
                 -DFULL_PAGE=${CMAKE_CURRENT_SOURCE_DIR}/man/stable-graphs.1
                 -P ${CMAKE_CURRENT_SOURCE_DIR}/cmake/CheckExitStatuses.cmake)
