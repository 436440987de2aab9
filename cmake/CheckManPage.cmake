# Copyright 2026 The stable-graphs Authors.
# SPDX-License-Identifier: Apache-2.0
# Formats the manual page PAGE with GROFF and fails on any warning.
execute_process(COMMAND ${GROFF} -man -ww -z -Tutf8 ${PAGE}
                RESULT_VARIABLE status ERROR_VARIABLE warnings)
if(NOT status EQUAL 0 OR NOT warnings STREQUAL "")
  message(FATAL_ERROR "${PAGE}: groff status ${status}\n${warnings}")
endif()
