cmake_policy(SET CMP0057 NEW)
# The calculator logic and the number text build without any window system:
# their files may include one another (the logic the number text too,
# ALSO_DIR) and the C++ standard library, and the
# number text the header-only libraries it is built on (LIBRARY_HEADERS),
# nothing else. The identifiers header is also read by the resource compiler,
# so it holds only preprocessor lines and comments.
set(allowed array bit charconv cmath cstdint cstddef cstring iterator limits optional
    string string_view system_error ${LIBRARY_HEADERS})
get_filename_component(folder "${CORE_DIR}" NAME)

file(GLOB sources "${CORE_DIR}/*.h" "${CORE_DIR}/*.cpp")
set(failures "")
foreach(source IN LISTS sources)
    file(STRINGS "${source}" includes REGEX "^[ \t]*#[ \t]*include")
    foreach(line IN LISTS includes)
        if(line MATCHES "<([^>]+)>")
            set(header "${CMAKE_MATCH_1}")
            if(NOT header IN_LIST allowed)
                string(APPEND failures "${source}: ${line}\n")
            endif()
        elseif(line MATCHES "\"([^\"]+)\"")
            if(NOT EXISTS "${CORE_DIR}/${CMAKE_MATCH_1}" AND
               NOT (ALSO_DIR AND EXISTS "${ALSO_DIR}/${CMAKE_MATCH_1}"))
                string(APPEND failures "${source}: ${line}\n")
            endif()
        else()
            string(APPEND failures "${source}: ${line}\n")
        endif()
    endforeach()
endforeach()

set(lines "")
if(EXISTS "${CORE_DIR}/identifiers.h")
    file(STRINGS "${CORE_DIR}/identifiers.h" lines)
endif()
foreach(line IN LISTS lines)
    if(NOT line MATCHES "^(#(define|ifndef|endif)( .*)?|/\\*.*|   .*|)$")
        string(APPEND failures "identifiers.h: not a preprocessor line: ${line}\n")
    endif()
endforeach()

if(failures)
    message(FATAL_ERROR "${folder}/ must stay free of OS headers:\n${failures}")
endif()
list(LENGTH sources count)
message(STATUS "checked ${count} files in ${folder}/")
