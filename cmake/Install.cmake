# Copyright 2026 The stable-graphs Authors.
# SPDX-License-Identifier: Apache-2.0
# What `cmake --install` puts in place: the executables and their manual
# pages, the library with its public headers, a CMake package
# (find_package(StableGraphs), target StableGraphs::stablegraphs) and a
# pkg-config file (stable-graphs.pc).
include(CMakePackageConfigHelpers)

# The headers a consumer needs: the graph record and its automorphism
# order, the moduli types, the Euler characteristic check, the printers and the stream
# reader.  They keep their directories, so that consumers include them as
# the library's own sources do ("stream/binary_graph_reader.h").
set(STABLE_GRAPHS_PUBLIC_HEADERS
  euler/euler_check.h
  printers/euler_check_printer.h
  euler/euler_series.h
  euler/euler_sums.h
  euler/euler_term.h
  euler/moduli_euler.h
  graph/automorphism_order.h
  graph/graph.h
  graph/type_capacity.h
  graph/version.h
  moduli/moduli_type.h
  printers/dot_graph_printer.h
  graph/graph_printer.h
  graph/resumable_printer.h
  printers/graph_id.h
  printers/json_graph_printer.h
  printers/latex_graph_printer.h
  printers/null_graph_printer.h
  printers/sage_graph_printer.h
  printers/text_graph_printer.h
  stream/binary_graph_printer.h
  stream/binary_graph_reader.h
  stream/record_check.h
  stream/stream_error.h
)
set(STABLE_GRAPHS_INCLUDE_ROOT ${CMAKE_INSTALL_INCLUDEDIR}/stable-graphs)
foreach(header IN LISTS STABLE_GRAPHS_PUBLIC_HEADERS)
  get_filename_component(directory ${header} DIRECTORY)
  install(FILES ${header} DESTINATION ${STABLE_GRAPHS_INCLUDE_ROOT}/${directory})
endforeach()

install(TARGETS stable-graphs stable-graphs-convert RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET stable-graphs-mpi)
  install(TARGETS stable-graphs-mpi RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
# The manual pages are installed compressed, as Debian installs its own
# (man reads them as they are).  gzip -n leaves out the name and time, so
# the same page always gives the same bytes.
find_program(STABLE_GRAPHS_GZIP gzip REQUIRED)
set(STABLE_GRAPHS_MAN_PAGES "")
# The page of stable-graphs-mpi comes with the tool.
set(STABLE_GRAPHS_MAN_PAGE_NAMES stable-graphs stable-graphs-convert)
if(TARGET stable-graphs-mpi)
  list(APPEND STABLE_GRAPHS_MAN_PAGE_NAMES stable-graphs-mpi)
endif()
foreach(name IN LISTS STABLE_GRAPHS_MAN_PAGE_NAMES)
  set(page ${name}.1)
  set(compressed ${CMAKE_CURRENT_BINARY_DIR}/man/${page}.gz)
  add_custom_command(OUTPUT ${compressed}
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_CURRENT_SOURCE_DIR}/man/${page} ${CMAKE_CURRENT_BINARY_DIR}/man/${page}
    COMMAND ${STABLE_GRAPHS_GZIP} -9nf ${CMAKE_CURRENT_BINARY_DIR}/man/${page}
    DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/man/${page}
    COMMENT "Compressing the manual page ${page}" VERBATIM)
  list(APPEND STABLE_GRAPHS_MAN_PAGES ${compressed})
endforeach()
add_custom_target(man_pages ALL DEPENDS ${STABLE_GRAPHS_MAN_PAGES})
install(FILES ${STABLE_GRAPHS_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The license in the form Debian expects (share/doc/stable-graphs/copyright).
install(FILES cmake/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The Python reader, as a module of its own.  Debian's python3 searches
# /usr/lib/python3/dist-packages, where the Debian package puts it; other
# prefixes need PYTHONPATH=<prefix>/lib/python3/dist-packages.  (Not under
# CMAKE_INSTALL_LIBDIR: under /usr that is lib/<architecture>, where Python
# does not look, and the module is the same on every architecture.)
set(STABLE_GRAPHS_PYTHON_DIR lib/python3/dist-packages CACHE STRING
    "Where the Python module stable_graphs is installed, relative to the prefix")
install(FILES python/stable_graphs.py DESTINATION ${STABLE_GRAPHS_PYTHON_DIR})

install(TARGETS stablegraphs EXPORT StableGraphsTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
set(STABLE_GRAPHS_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/StableGraphs)
install(EXPORT StableGraphsTargets NAMESPACE StableGraphs:: DESTINATION ${STABLE_GRAPHS_CMAKE_DIR})
configure_package_config_file(cmake/StableGraphsConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/StableGraphsConfig.cmake
  INSTALL_DESTINATION ${STABLE_GRAPHS_CMAKE_DIR})
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/StableGraphsConfigVersion.cmake
  VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/StableGraphsConfig.cmake
              ${CMAKE_CURRENT_BINARY_DIR}/StableGraphsConfigVersion.cmake
        DESTINATION ${STABLE_GRAPHS_CMAKE_DIR})

# The .pc file finds its prefix from its own place (${pcfiledir}), so that
# `cmake --install --prefix` anywhere gives a working file.
file(RELATIVE_PATH STABLE_GRAPHS_PC_TO_PREFIX
     /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
string(REGEX REPLACE "/$" "" STABLE_GRAPHS_PC_TO_PREFIX "${STABLE_GRAPHS_PC_TO_PREFIX}")
configure_file(cmake/stable-graphs.pc.in ${CMAKE_CURRENT_BINARY_DIR}/stable-graphs.pc @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/stable-graphs.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
