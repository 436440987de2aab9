# Copyright 2026 The stable-graphs Authors.
# SPDX-License-Identifier: Apache-2.0
#
# Checks a manual page as it is installed: PAGE_GZ, the compressed page,
# holds exactly the text of SOURCE, and `man -l` (MAN) renders it whole,
# from its NAME line to the footer with VERSION, without a warning; without
# MAN, GROFF renders the page instead.
#
#   cmake -DGROFF=/usr/bin/groff [-DMAN=/usr/bin/man] -DPAGE_GZ=build/man/x.1.gz -DSOURCE=man/x.1 -DNAME=x -DVERSION=2.0.0 -P cmake/CheckInstalledManPage.cmake

find_program(GZIP gzip REQUIRED)
execute_process(COMMAND ${GZIP} -dc ${PAGE_GZ} RESULT_VARIABLE status OUTPUT_VARIABLE unpacked)
file(READ ${SOURCE} source)
if(NOT status EQUAL 0 OR NOT unpacked STREQUAL source)
  message(FATAL_ERROR "${PAGE_GZ} (gzip status ${status}) does not unpack to ${SOURCE}")
endif()

# man reads the compressed page itself; without man, groff renders the
# unpacked text as man would.
if(MAN)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C MANWIDTH=80 ${MAN} -P cat -l ${PAGE_GZ}
                  RESULT_VARIABLE status OUTPUT_VARIABLE shown ERROR_VARIABLE warnings)
  set(renderer "man -l")
else()
  execute_process(COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C ${GROFF} -man -Tutf8 -P-c -P-b -P-u
                  INPUT_FILE ${SOURCE} RESULT_VARIABLE status OUTPUT_VARIABLE shown ERROR_VARIABLE warnings)
  set(renderer "groff -man")
endif()
if(NOT status EQUAL 0 OR NOT warnings STREQUAL "")
  message(FATAL_ERROR "${renderer} ${PAGE_GZ}: status ${status}\n${warnings}")
endif()
foreach(expected "\nNAME\n       ${NAME} " "\nSYNOPSIS\n" "\nEXIT STATUS\n" "\nSEE ALSO\n"
                 "\nstable-graphs ${VERSION} ")
  string(FIND "${shown}" "${expected}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${renderer} ${PAGE_GZ} shows no \"${expected}\":\n${shown}")
  endif()
endforeach()
message(STATUS "${renderer} ${PAGE_GZ}: the page of ${NAME}, whole")
