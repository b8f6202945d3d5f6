# SPDX-FileCopyrightText: 2026 ThermoDesk developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs the build into PREFIX and checks that every file is where desktops look for it,
# and that the desktop entry names the installed program and icon.
cmake_minimum_required(VERSION 3.25)
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()
foreach(file IN ITEMS bin/thermodesk share/applications/${APP_ID}.desktop
                      share/icons/hicolor/scalable/apps/${APP_ID}.svg
                      share/metainfo/${APP_ID}.metainfo.xml share/mime/packages/${APP_ID}.xml
                      share/doc/thermodesk/copyright share/doc/thermodesk/changelog.gz
                      share/man/man1/thermodesk.1.gz)
    if(NOT EXISTS ${PREFIX}/${file})
        message(FATAL_ERROR "not installed: ${file}")
    endif()
endforeach()
file(STRINGS ${PREFIX}/share/applications/${APP_ID}.desktop entry)
if(NOT "Exec=thermodesk %f" IN_LIST entry OR NOT "Icon=${APP_ID}" IN_LIST entry)
    message(FATAL_ERROR "the desktop entry does not name bin/thermodesk and the icon ${APP_ID}")
endif()
# A double-clicked record file: the entry takes the type the package installs.
file(READ ${PREFIX}/share/mime/packages/${APP_ID}.xml mime)
string(REGEX MATCH "<mime-type type=\"([^\"]+)\"" declared "${mime}")
if(NOT "MimeType=${CMAKE_MATCH_1};" IN_LIST entry)
    message(FATAL_ERROR "the desktop entry does not take the type ${CMAKE_MATCH_1} of *.rdg")
endif()
file(READ ${PREFIX}/share/metainfo/${APP_ID}.metainfo.xml metainfo)
if(NOT metainfo MATCHES "<launchable type=\"desktop-id\">${APP_ID}.desktop</launchable>")
    message(FATAL_ERROR "the metainfo does not launch ${APP_ID}.desktop")
endif()
file(REMOVE_RECURSE ${PREFIX})
