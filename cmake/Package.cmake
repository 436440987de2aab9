# Copyright 2026 The stable-graphs Authors.
# SPDX-License-Identifier: Apache-2.0
#
# The Debian package that `cpack -G DEB` makes in the build folder
# (stable-graphs_VERSION_ARCH.deb): everything `cmake --install` puts in
# place, under /usr.  Its version is the project's.
#
# Dependencies: the tools link nauty statically, but GMP (libgmp.so.10), the
# C and C++ run-times and, for stable-graphs-mpi, Open MPI dynamically;
# dpkg-shlibdeps finds those packages.  The library, its CMake package and
# its .pc file are for linking against, which needs nauty's and GMP's
# development packages, named here; libnauty2-dev brings nauty's library
# libnauty2, libgmp-dev GMP's.  doc/library.md shows the resulting Depends
# line, and the test package_depends_as_documented keeps the two equal.

set(CPACK_PACKAGE_NAME stable-graphs)
set(CPACK_PACKAGE_VENDOR "The stable-graphs Authors")
set(CPACK_PACKAGE_CONTACT "The stable-graphs Authors")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "enumerate the stable graphs of type (g, n)")
if(TARGET stable-graphs-mpi)
  set(STABLE_GRAPHS_PACKAGED_TOOLS "the tools stable-graphs, stable-graphs-convert and stable-graphs-mpi")
else()
  set(STABLE_GRAPHS_PACKAGED_TOOLS "the tools stable-graphs and stable-graphs-convert")
endif()
set(CPACK_PACKAGE_DESCRIPTION
    "stable-graphs enumerates, up to isomorphism, every stable graph of type (g, n), the graphs that index the \
boundary strata of the moduli space of stable curves, and writes them as LaTeX, text, a byte stream, JSON Lines, \
SageMath lines or Graphviz graphs.  The package holds ${STABLE_GRAPHS_PACKAGED_TOOLS}, their \
manual pages, the C++ library with its headers, CMake package and pkg-config file, and the Python module \
stable_graphs.")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_CURRENT_SOURCE_DIR}/LICENSE)
set(CPACK_GENERATOR DEB)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libnauty2-dev, libgmp-dev")
include(CPack)
