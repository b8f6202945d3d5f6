# SPDX-FileCopyrightText: 2026 ThermoDesk developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The manual page is written by hand; this keeps it from falling behind the program: every
# option that `thermodesk --help` lists must be described on the page.
cmake_minimum_required(VERSION 3.25)
execute_process(COMMAND ${PROGRAM} --help OUTPUT_VARIABLE help RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${PROGRAM} --help failed: ${result}")
endif()
file(READ ${PAGE} page)
string(REGEX MATCHALL "--[a-z][a-z-]*" options "${help}")
list(REMOVE_DUPLICATES options)
if(NOT options)
    message(FATAL_ERROR "--help lists no option")
endif()
foreach(option IN LISTS options)
    string(REPLACE "-" "\\-" roff "${option}")
    string(FIND "${page}" "${roff}" at)
    if(at EQUAL -1)
        message(SEND_ERROR "the manual page does not describe ${option}")
    endif()
endforeach()
