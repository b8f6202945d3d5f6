# SPDX-FileCopyrightText: 2026 ThermoDesk developers
# SPDX-License-Identifier: GPL-3.0-or-later

# What a Debian system expects of a package beside the program: the copyright file and the
# changelog in /usr/share/doc/thermodesk, and the manual page. The compressed copies are
# made when CMake configures, so that packaging needs no target of its own.
set(THERMODESK_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/thermodesk)

function(thermodesk_gzip input output)
    execute_process(COMMAND gzip -9 -n -c ${input} OUTPUT_FILE ${output}
                    RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "gzip ${input} failed: ${result}")
    endif()
endfunction()

configure_file(debian/changelog.in changelog @ONLY)
thermodesk_gzip(${CMAKE_CURRENT_BINARY_DIR}/changelog ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz)
configure_file(thermodesk.1.in thermodesk.1 @ONLY)
thermodesk_gzip(${CMAKE_CURRENT_BINARY_DIR}/thermodesk.1 ${CMAKE_CURRENT_BINARY_DIR}/thermodesk.1.gz)

install(FILES debian/copyright ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz
        DESTINATION ${THERMODESK_DOC_DIR})
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/thermodesk.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
