# SPDX-FileCopyrightText: 2026 ThermoDesk developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds a MIME database of the record file type alone, as shared-mime-info does on the
# user's machine, and checks that a *.rdg name is of that type, a text file with the icon.
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE ${WORK})
set(database ${WORK}/mime)
file(MAKE_DIRECTORY ${database}/packages)
configure_file(${SOURCE} ${database}/packages/thermodesk.xml COPYONLY)
# The database where applications look for one, so that the tool has nothing to note.
execute_process(COMMAND ${CMAKE_COMMAND} -E env XDG_DATA_HOME=${WORK} XDG_DATA_DIRS=${WORK}
                        ${UPDATE_MIME_DATABASE} ${database}
                RESULT_VARIABLE result ERROR_VARIABLE errors)
if(NOT result EQUAL 0 OR errors)
    message(FATAL_ERROR "update-mime-database refused the file type: ${errors}")
endif()
file(READ ${database}/globs2 globs)
if(NOT globs MATCHES "application/x-thermodesk-records:\\*\\.rdg")
    message(FATAL_ERROR "*.rdg is not of the record file type:\n${globs}")
endif()
file(READ ${database}/subclasses subclasses)
if(NOT subclasses MATCHES "application/x-thermodesk-records text/plain")
    message(FATAL_ERROR "the record file type is no text file:\n${subclasses}")
endif()
file(READ ${database}/icons icons)
if(NOT icons MATCHES "application/x-thermodesk-records:io.github.thermodesk.ThermoDesk")
    message(FATAL_ERROR "the record file type has not ThermoDesk's icon:\n${icons}")
endif()
file(REMOVE_RECURSE ${WORK})
