# The program is built for the machine FORMAT names (objdump's name: pei-i386
# for the shipped 32-bit program) and needs no DLL beyond Windows' own: its
# import directory, read by objdump, names only system DLLs from the list
# below, and no runtime of the compiler's (libstdc++, libgcc, libwinpthread).
# Its header asks for Windows Vista (6.0), where all it imports exists, and
# carries no time stamp, which would make each build's bytes differ.
#
#   cmake -DOBJDUMP=... -DPROGRAM=.../VelQUOR.exe -DFORMAT=pei-i386 -P check_imports.cmake
cmake_minimum_required(VERSION 3.25)
foreach(variable OBJDUMP PROGRAM FORMAT)
    if(NOT DEFINED ${variable})
        message(FATAL_ERROR "${variable} is not set")
    endif()
endforeach()

# DLLs that every Windows since XP has in its system folder.
set(allowed
    advapi32.dll comctl32.dll comdlg32.dll gdi32.dll kernel32.dll msvcrt.dll
    ole32.dll oleaut32.dll shell32.dll shlwapi.dll user32.dll version.dll)

# objdump shows the time stamp in local time: a zero one reads as 1970 in UTC.
execute_process(COMMAND "${CMAKE_COMMAND}" -E env TZ=UTC "${OBJDUMP}" -p "${PROGRAM}"
                OUTPUT_VARIABLE dump RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${OBJDUMP} cannot read ${PROGRAM}")
endif()
if(NOT dump MATCHES "file format ([^\n]+)")
    message(FATAL_ERROR "objdump names no file format for ${PROGRAM}")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL FORMAT)
    message(FATAL_ERROR "${PROGRAM} is ${CMAKE_MATCH_1}, expected ${FORMAT}")
endif()
foreach(field MajorSubsystemVersion=6 MinorSubsystemVersion=0 MajorOSystemVersion=6
              MinorOSystemVersion=0 "Time/Date=Thu Jan  1 00:00:00 1970")
    string(REPLACE "=" ";" field "${field}")
    list(GET field 0 name)
    list(GET field 1 expected)
    if(NOT dump MATCHES "\n${name}[ \t]+([^\n]*)\n")
        message(FATAL_ERROR "objdump shows no ${name} for ${PROGRAM}")
    endif()
    if(NOT CMAKE_MATCH_1 STREQUAL expected)
        message(FATAL_ERROR "${PROGRAM}: ${name} is ${CMAKE_MATCH_1}, expected ${expected}")
    endif()
endforeach()

string(REGEX MATCHALL "DLL Name: [^\n]+" lines "${dump}")
set(imports "")
foreach(line IN LISTS lines)
    string(REGEX REPLACE "^DLL Name: " "" name "${line}")
    string(STRIP "${name}" name)
    list(APPEND imports "${name}")
endforeach()
if(NOT imports)
    message(FATAL_ERROR "no import directory found in ${PROGRAM}")
endif()
message(STATUS "${PROGRAM} imports: ${imports}")

set(refused "")
foreach(name IN LISTS imports)
    string(TOLOWER "${name}" lower)
    if(NOT lower IN_LIST allowed)
        list(APPEND refused "${name}")
    endif()
endforeach()
if(refused)
    message(FATAL_ERROR "imports beyond Windows' own: ${refused}")
endif()
