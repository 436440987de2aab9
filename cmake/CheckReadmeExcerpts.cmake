# Copyright 2026 The stable-graphs Authors.
# SPDX-License-Identifier: Apache-2.0
#
# Checks that every fenced block of README.md and of the pages doc/*.md
# under ROOT that follows a line "<!-- excerpt: PATH -->" is a verbatim part
# of the file PATH, relative to ROOT, so that the excerpts the documents show
# are the code that is built.  A page may hold none; all of them together
# hold at least MINIMUM, so that excerpts are not lost unnoticed.
file(GLOB pages ${ROOT}/doc/*.md)
set(total 0)
foreach(page ${ROOT}/README.md ${pages})
  file(RELATIVE_PATH name ${ROOT} ${page})
  file(READ ${page} text)
  string(REGEX MATCHALL "\n<!-- excerpt: [^ ]+ -->\n```[a-z]*\n" markers "${text}")
  # A marker line without its fenced block right after it would go
  # unchecked.
  string(REGEX MATCHALL "\n<!-- excerpt:" all_markers "${text}")
  list(LENGTH markers count)
  list(LENGTH all_markers all_count)
  if(NOT count EQUAL all_count)
    message(FATAL_ERROR "${name}: ${all_count} excerpt markers, of which only ${count} have the form "
                        "\"<!-- excerpt: PATH -->\" followed at once by a fenced block")
  endif()
  math(EXPR total "${total} + ${count}")
  set(rest "${text}")
  foreach(marker IN LISTS markers)
    string(REGEX REPLACE "\n<!-- excerpt: ([^ ]+) -->.*" "\\1" path "${marker}")
    # Each marker is looked for after the one before, so that two excerpts
    # of one file are both checked.
    string(FIND "${rest}" "${marker}" at)
    string(LENGTH "${marker}" marker_length)
    math(EXPR start "${at} + ${marker_length}")
    string(SUBSTRING "${rest}" ${start} -1 rest)
    string(FIND "${rest}" "```" end)
    string(SUBSTRING "${rest}" 0 ${end} excerpt)
    if(NOT EXISTS ${ROOT}/${path})
      message(FATAL_ERROR "${name} shows an excerpt of ${path}, which does not exist")
    endif()
    file(READ ${ROOT}/${path} source)
    string(FIND "${source}" "${excerpt}" found)
    if(found EQUAL -1 OR excerpt STREQUAL "")
      message(FATAL_ERROR "${name}'s excerpt of ${path} is not the file's text:\n${excerpt}")
    endif()
    message(STATUS "${name}'s excerpt of ${path}: the file's text")
  endforeach()
endforeach()
if(total LESS MINIMUM)
  message(FATAL_ERROR "README.md and doc/*.md hold ${total} excerpts, expected at least ${MINIMUM}")
endif()
