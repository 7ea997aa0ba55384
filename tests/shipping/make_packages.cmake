# Makes the zip and the installer into PACKAGE_DIR with CPack, from the
# build's CPack configuration, after emptying the folder: the tests then find
# exactly what this run made. The packages' time is EPOCH (seconds since
# 1970), as a commit's time is when tools/package makes them.
#
#   cmake -DCPACK=... -DCONFIG=.../CPackConfig.cmake -DPACKAGE_DIR=... -DEPOCH=... -P make_packages.cmake
cmake_minimum_required(VERSION 3.25)
foreach(variable CPACK CONFIG PACKAGE_DIR EPOCH)
    if(NOT DEFINED ${variable})
        message(FATAL_ERROR "${variable} is not set")
    endif()
endforeach()

file(REMOVE_RECURSE "${PACKAGE_DIR}")
file(MAKE_DIRECTORY "${PACKAGE_DIR}")
set(ENV{SOURCE_DATE_EPOCH} "${EPOCH}")
execute_process(
    COMMAND "${CPACK}" -G "${GENERATORS}" --config "${CONFIG}" -B "${PACKAGE_DIR}"
    RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cpack failed (${status})")
endif()

file(GLOB made RELATIVE "${PACKAGE_DIR}" "${PACKAGE_DIR}/*.zip" "${PACKAGE_DIR}/*.exe")
list(SORT made)
message(STATUS "made: ${made}")
list(LENGTH made count)
list(LENGTH GENERATORS expected)
if(NOT count EQUAL expected)
    message(FATAL_ERROR "expected ${expected} package(s) (${GENERATORS}) in ${PACKAGE_DIR}, found: ${made}")
endif()
