# The portable zip holds exactly the program, the read-me and the licence, in
# one folder named after the package, and they are the files of the build
# and of the source tree.
#
#   cmake -DPACKAGE_DIR=... -DPROGRAM=.../VelQUOR.exe -DSOURCE_DIR=... -DARCH=win32 -P check_zip.cmake
cmake_minimum_required(VERSION 3.25)
foreach(variable PACKAGE_DIR PROGRAM SOURCE_DIR ARCH)
    if(NOT DEFINED ${variable})
        message(FATAL_ERROR "${variable} is not set")
    endif()
endforeach()

file(GLOB zips "${PACKAGE_DIR}/*.zip")
list(LENGTH zips count)
if(NOT count EQUAL 1)
    message(FATAL_ERROR "expected one zip in ${PACKAGE_DIR}, found: ${zips}")
endif()
get_filename_component(name "${zips}" NAME)
string(REGEX REPLACE "\\.zip$" "" folder "${name}")
if(NOT folder STREQUAL "VelQUOR-1.0.0-${ARCH}")
    message(FATAL_ERROR "the zip is named ${name}, expected VelQUOR-1.0.0-${ARCH}.zip")
endif()

set(unpacked "${PACKAGE_DIR}/unpacked")
file(REMOVE_RECURSE "${unpacked}")
file(MAKE_DIRECTORY "${unpacked}")
execute_process(COMMAND "${CMAKE_COMMAND}" -E tar xf "${zips}"
                WORKING_DIRECTORY "${unpacked}" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cannot unpack ${zips}")
endif()

file(GLOB_RECURSE entries LIST_DIRECTORIES true RELATIVE "${unpacked}" "${unpacked}/*")
list(SORT entries)
set(expected "${folder}" "${folder}/LICENSE" "${folder}/README.md" "${folder}/VelQUOR.exe")
if(NOT entries STREQUAL expected)
    message(FATAL_ERROR "the zip holds:\n  ${entries}\nexpected:\n  ${expected}")
endif()

foreach(pair "VelQUOR.exe=${PROGRAM}" "README.md=${SOURCE_DIR}/README.md" "LICENSE=${SOURCE_DIR}/LICENSE")
    string(REPLACE "=" ";" pair "${pair}")
    list(GET pair 0 entry)
    list(GET pair 1 original)
    execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files
                            "${unpacked}/${folder}/${entry}" "${original}"
                    RESULT_VARIABLE different)
    if(different)
        message(FATAL_ERROR "${entry} in the zip is not ${original}")
    endif()
endforeach()
file(REMOVE_RECURSE "${unpacked}")
message(STATUS "the zip holds ${entries}")
