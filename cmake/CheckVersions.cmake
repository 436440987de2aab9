# Copyright 2026 The stable-graphs Authors.
# SPDX-License-Identifier: Apache-2.0
#
# Checks that every place carrying the version number carries the one the
# project declares (VERSION, CMakeLists.txt's project()).  Always checked,
# under SOURCE_DIR: CITATION.cff, the newest numbered heading of
# CHANGELOG.md, the README's citation (both forms), the manual pages' title
# lines, the --version answer doc/command-line.md shows and the package
# names and Version line doc/library.md shows, and the version that
# examples/CMakeLists.txt and doc/library.md ask find_package() for.
# Checked when given: PC_FILE (the configured .pc file), each executable in
# TOOLS (the first line of its --version output ends in the number),
# LATEX_TOOL (stable-graphs: the author line of its LaTeX document),
# CPACK_CONFIG (CPackConfig.cmake: the Debian package's version) and DEB (a
# built Debian package).  Fails naming every place that differs.
#
#   cmake -DVERSION=2.0.0 -DSOURCE_DIR=. [-DTOOLS="a|b"] [-DLATEX_TOOL=a] [-DDEB=x.deb] -P cmake/CheckVersions.cmake
#
# TOOLS separates its paths with "|", which survives being passed through
# add_test.

if(NOT VERSION OR NOT SOURCE_DIR)
  message(FATAL_ERROR "CheckVersions: give -DVERSION=<project version> -DSOURCE_DIR=<repository root>")
endif()

set(problems "")
set(places 0)

# Compares what a place says with VERSION; found is empty when the place
# does not state a version at all.
function(expect place found)
  math(EXPR count "${places} + 1")
  set(places ${count} PARENT_SCOPE)
  if(found STREQUAL "")
    set(problems "${problems}  ${place}: no version found\n" PARENT_SCOPE)
  elseif(NOT found STREQUAL VERSION)
    set(problems "${problems}  ${place}: ${found}\n" PARENT_SCOPE)
  endif()
endfunction()

# The first match of regex (its first group) in the file, or "".
function(version_in file regex result)
  set(${result} "" PARENT_SCOPE)
  if(EXISTS ${file})
    file(READ ${file} text)
    if(text MATCHES "${regex}")
      set(${result} "${CMAKE_MATCH_1}" PARENT_SCOPE)
    endif()
  endif()
endfunction()

# Every match of regex (its first group) in the file, each one a place;
# none at all is a place without a version.
function(every_version_in file regex place)
  set(found_any "")
  if(EXISTS ${file})
    file(READ ${file} text)
    string(REGEX MATCHALL "${regex}" matches "${text}")
    foreach(match IN LISTS matches)
      string(REGEX MATCH "${regex}" match "${match}")
      set(found_any "${CMAKE_MATCH_1}")
      expect("${place}" "${CMAKE_MATCH_1}")
    endforeach()
  endif()
  if(found_any STREQUAL "")
    expect("${place}" "")
  endif()
  set(problems "${problems}" PARENT_SCOPE)
  set(places ${places} PARENT_SCOPE)
endfunction()

set(number "([0-9]+\\.[0-9]+\\.[0-9]+)")

version_in(${SOURCE_DIR}/CITATION.cff "\nversion: \"?${number}" found)
expect("CITATION.cff version" "${found}")
version_in(${SOURCE_DIR}/CHANGELOG.md "\n## \\[${number}\\]" found)
expect("CHANGELOG.md newest release" "${found}")
version_in(${SOURCE_DIR}/README.md "\n  version = {${number}}" found)
expect("README.md citation" "${found}")
version_in(${SOURCE_DIR}/README.md "\n> version ${number}," found)
expect("README.md citation, as text" "${found}")
version_in(${SOURCE_DIR}/doc/command-line.md "\nstable-graphs ${number}\nCopyright " found)
expect("doc/command-line.md --version" "${found}")
every_version_in(${SOURCE_DIR}/doc/library.md "stable-graphs_${number}_" "doc/library.md package name")
every_version_in(${SOURCE_DIR}/doc/library.md "\nVersion: ${number}\n" "doc/library.md Version line")
# A find_package() that asks for the library must accept this version, which
# is compatible only within its major number (SameMajorVersion).
string(REGEX MATCH "^[0-9]+\\.[0-9]+" major_minor "${VERSION}")
foreach(file examples/CMakeLists.txt doc/library.md)
  set(requested "")
  if(EXISTS ${SOURCE_DIR}/${file})
    file(READ ${SOURCE_DIR}/${file} text)
    if(text MATCHES "find_package\\(StableGraphs ([0-9]+)\\.([0-9]+)")
      set(requested "${CMAKE_MATCH_1}.${CMAKE_MATCH_2}")
    endif()
  endif()
  string(REGEX MATCH "^[0-9]+" requested_major "${requested}")
  string(REGEX MATCH "^[0-9]+" major "${VERSION}")
  set(found "${VERSION}")
  if(requested STREQUAL "" OR NOT requested_major EQUAL major OR requested VERSION_GREATER major_minor)
    set(found "find_package asks for '${requested}'")
  endif()
  expect("${file} find_package(StableGraphs)" "${found}")
endforeach()
file(GLOB pages ${SOURCE_DIR}/man/*.[1-9])
foreach(page IN LISTS pages)
  get_filename_component(name ${page} NAME)
  version_in(${page} "\n\\.TH [^\n]*\"stable-graphs ${number}\"" found)
  expect("man/${name} title line" "${found}")
endforeach()

if(PC_FILE)
  version_in(${PC_FILE} "\nVersion: ${number}" found)
  expect("${PC_FILE}" "${found}")
endif()

if(TOOLS)
  string(REPLACE "|" ";" tools "${TOOLS}")
  foreach(tool IN LISTS tools)
    execute_process(COMMAND ${tool} --version RESULT_VARIABLE status OUTPUT_VARIABLE output)
    set(found "")
    if(status EQUAL 0 AND output MATCHES "^[^\n]* ${number}\n")
      set(found "${CMAKE_MATCH_1}")
    endif()
    expect("${tool} --version (status ${status})" "${found}")
  endforeach()
endif()

# The title page of a LaTeX document names the tool and version that wrote
# it.
if(LATEX_TOOL)
  execute_process(COMMAND ${LATEX_TOOL} -S N 0 3 RESULT_VARIABLE status OUTPUT_VARIABLE output)
  set(found "")
  if(status EQUAL 0 AND output MATCHES "\n\\\\author{stable-graphs ${number}}\n")
    set(found "${CMAKE_MATCH_1}")
  endif()
  expect("${LATEX_TOOL}'s LaTeX author line (status ${status})" "${found}")
endif()

if(CPACK_CONFIG)
  include(${CPACK_CONFIG})
  set(found "${CPACK_DEBIAN_PACKAGE_VERSION}")
  if(found STREQUAL "")
    set(found "${CPACK_PACKAGE_VERSION}")
  endif()
  if(NOT "${CPACK_DEBIAN_PACKAGE_RELEASE}" STREQUAL "")
    set(found "${found}-${CPACK_DEBIAN_PACKAGE_RELEASE}")
  endif()
  expect("Debian package version in ${CPACK_CONFIG}" "${found}")
endif()

if(DEB)
  execute_process(COMMAND dpkg-deb --field ${DEB} Version RESULT_VARIABLE status OUTPUT_VARIABLE found
                  OUTPUT_STRIP_TRAILING_WHITESPACE)
  expect("${DEB} Version field (dpkg-deb status ${status})" "${found}")
endif()

if(NOT problems STREQUAL "")
  message(FATAL_ERROR "The project's version is ${VERSION}, but these places say otherwise:\n${problems}"
                      "Set the number everywhere as CHANGELOG.md says.")
endif()
message(STATUS "${places} places agree on version ${VERSION}")
