# Removes a Wine prefix of the tests' own, after ending its wineserver, so that
# the next test starts on a machine where nothing was ever installed.
#
#   cmake -DPREFIX=... -P fresh_prefix.cmake
cmake_minimum_required(VERSION 3.25)
if(NOT PREFIX MATCHES "/wineprefix-[a-z0-9-]+$")
    message(FATAL_ERROR "refusing to remove ${PREFIX}: not a test prefix")
endif()
if(EXISTS "${PREFIX}/system.reg")
    execute_process(COMMAND "${CMAKE_COMMAND}" -E env "WINEPREFIX=${PREFIX}" wineserver -k
                    RESULT_VARIABLE ignored ERROR_QUIET)
    execute_process(COMMAND "${CMAKE_COMMAND}" -E env "WINEPREFIX=${PREFIX}" wineserver -w
                    RESULT_VARIABLE ignored ERROR_QUIET)
endif()
file(REMOVE_RECURSE "${PREFIX}")
