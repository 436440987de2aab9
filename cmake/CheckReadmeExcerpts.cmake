# Copyright 2026 The stable-graphs Authors.
# SPDX-License-Identifier: Apache-2.0
#
# Checks that every fenced block of README (README) that follows a line
# "<!-- excerpt: PATH -->" is a verbatim part of the file PATH, relative to
# ROOT, so that the excerpts the README shows are the code that is built.
file(READ ${README} text)
string(REGEX MATCHALL "<!-- excerpt: [^ ]+ -->\n```[a-z]*\n" markers "${text}")
list(LENGTH markers count)
if(count LESS 2)
  message(FATAL_ERROR "README holds ${count} excerpt markers, expected at least 2")
endif()
foreach(marker IN LISTS markers)
  string(REGEX REPLACE "<!-- excerpt: ([^ ]+) -->.*" "\\1" path "${marker}")
  string(FIND "${text}" "${marker}" at)
  string(LENGTH "${marker}" marker_length)
  math(EXPR start "${at} + ${marker_length}")
  string(SUBSTRING "${text}" ${start} -1 rest)
  string(FIND "${rest}" "```" end)
  string(SUBSTRING "${rest}" 0 ${end} excerpt)
  if(NOT EXISTS ${ROOT}/${path})
    message(FATAL_ERROR "README shows an excerpt of ${path}, which does not exist")
  endif()
  file(READ ${ROOT}/${path} source)
  string(FIND "${source}" "${excerpt}" found)
  if(found EQUAL -1 OR excerpt STREQUAL "")
    message(FATAL_ERROR "README's excerpt of ${path} is not the file's text:\n${excerpt}")
  endif()
  message(STATUS "README's excerpt of ${path}: the file's text")
endforeach()
