# SPDX-FileCopyrightText: 2026 ThermoDesk developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Run at install time: puts beside the installed programs the Qt plugins they load by name
# and every DLL that they or those plugins import, found by reading the imports
# (objdump -p), not from a list kept by hand; DLLs of the system are left to the system.
# Set by the caller: DEPLOY_PLUGINS_FROM, DEPLOY_PLUGINS, DEPLOY_SEARCH, DEPLOY_OBJDUMP,
# DEPLOY_STRIP.
set(destination "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")

function(imports_of file out)
    execute_process(COMMAND ${DEPLOY_OBJDUMP} -p ${file} OUTPUT_VARIABLE dump
                    RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "cannot read the imports of ${file}")
    endif()
    string(REGEX MATCHALL "DLL Name: [^\r\n]+" lines "${dump}")
    set(names)
    foreach(line IN LISTS lines)
        string(REGEX REPLACE "DLL Name: " "" name "${line}")
        list(APPEND names ${name})
    endforeach()
    set(${out} ${names} PARENT_SCOPE)
endfunction()

# Copies a file, stripped of what only a debugger reads.
function(deploy from to)
    get_filename_component(folder ${to} DIRECTORY)
    file(MAKE_DIRECTORY ${folder})
    execute_process(COMMAND ${DEPLOY_STRIP} --strip-unneeded -o ${to} ${from}
                    RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "cannot copy ${from}")
    endif()
    message(STATUS "Deploying: ${to}")
endfunction()

set(pending ${destination}/thermodesk.exe ${destination}/thermodesk.com)
foreach(plugin IN LISTS DEPLOY_PLUGINS)
    deploy(${DEPLOY_PLUGINS_FROM}/${plugin} ${destination}/${plugin})
    list(APPEND pending ${destination}/${plugin})
endforeach()

set(deployed)
while(pending)
    list(POP_FRONT pending file)
    imports_of(${file} names)
    foreach(name IN LISTS names)
        string(TOLOWER ${name} key)
        list(FIND deployed ${key} index)
        if(index GREATER_EQUAL 0)
            continue()
        endif()
        set(found)
        foreach(folder IN LISTS DEPLOY_SEARCH)
            if(EXISTS ${folder}/${name})
                set(found ${folder}/${name})
                break()
            endif()
        endforeach()
        # Not ours to ship: KERNEL32.dll, USER32.dll, api-ms-win-*.dll and the like.
        if(NOT found)
            continue()
        endif()
        list(APPEND deployed ${key})
        deploy(${found} ${destination}/${name})
        list(APPEND pending ${destination}/${name})
    endforeach()
endwhile()
