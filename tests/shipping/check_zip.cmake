# The portable zip holds exactly the program, the read-me for users and the
# licence, in one folder named after the package, in name order, each with
# time EPOCH (the packages') and fixed permissions; they are the files of the
# build and of the source tree. The read-me has Windows line ends and no
# picture links.
#
#   cmake -DPACKAGE_DIR=... -DPROGRAM=.../VelQUOR.exe -DREADME=.../README.txt
#         -DSOURCE_DIR=... -DARCH=win32 -DEPOCH=... -P check_zip.cmake
cmake_minimum_required(VERSION 3.25)
foreach(variable PACKAGE_DIR PROGRAM README SOURCE_DIR ARCH EPOCH)
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

# The listing, in the zip's own order: permissions, owner, size, date, name.
execute_process(COMMAND "${CMAKE_COMMAND}" -E tar tvf "${zips}"
                OUTPUT_VARIABLE listing RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cannot list ${zips}")
endif()
set(ENV{SOURCE_DATE_EPOCH} "${EPOCH}")
string(TIMESTAMP date "%d %b %Y" UTC)
string(REGEX REPLACE "[ \t]+" " " listing "${listing}")
string(REGEX REPLACE " [0-9]+ (${date}) " " \\1 " listing "${listing}")
set(file "-rw-r--r-- 0 0 0 ${date} ${folder}")
set(expected_listing "drwxr-xr-x 0 0 0 ${date} ${folder}/\n${file}/LICENSE\n${file}/README.txt\n${file}/VelQUOR.exe\n")
if(NOT listing STREQUAL expected_listing)
    message(FATAL_ERROR "the zip lists:\n${listing}expected:\n${expected_listing}")
endif()

set(unpacked "${PACKAGE_DIR}/unpacked")
file(REMOVE_RECURSE "${unpacked}")
file(MAKE_DIRECTORY "${unpacked}")
execute_process(COMMAND "${CMAKE_COMMAND}" -E tar xf "${zips}"
                WORKING_DIRECTORY "${unpacked}" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cannot unpack ${zips}")
endif()

foreach(pair "VelQUOR.exe=${PROGRAM}" "README.txt=${README}" "LICENSE=${SOURCE_DIR}/LICENSE")
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

file(READ "${unpacked}/${folder}/README.txt" readme HEX)
if(readme MATCHES "^(..)*([^0].|0[^d])0a" OR readme MATCHES "^0a")
    message(FATAL_ERROR "README.txt in the zip has a line that does not end in CR LF")
endif()
file(READ "${unpacked}/${folder}/README.txt" readme)
if(readme MATCHES "!\\[|\\]\\(|\\.png")
    message(FATAL_ERROR "README.txt in the zip links to a picture: ${CMAKE_MATCH_0}")
endif()
file(REMOVE_RECURSE "${unpacked}")
message(STATUS "the zip lists:\n${listing}")
