# Lanes for the Windows tests under Wine (tools/wine-lane): each lane is a
# Wine prefix with a virtual display of its own and a Wine server kept up
# from its first test to its last. Tests in different lanes run side by side;
# tests that show windows in one lane take turns, since keystrokes and
# clicks go to whichever window of the display is in front.

# The toolchain file names the Wine architecture (win32 or win64).
set(VELQUOR_WINE_LANE env VELQUOR_WINE_ARCH=${VELQUOR_WINE_ARCH} "${PROJECT_SOURCE_DIR}/tools/wine-lane")

# velquor_wine_lane(NAME [FRESH]): the lane's prefix is
# <build>/wineprefix-NAME; FRESH makes it anew for every run.
function(velquor_wine_lane name)
    cmake_parse_arguments(PARSE_ARGV 1 lane "FRESH" "" "")
    set(prefix "${CMAKE_BINARY_DIR}/wineprefix-${name}")
    set(fresh "")
    if(lane_FRESH)
        set(fresh fresh)
    endif()
    add_test(NAME wine.${name}.start COMMAND ${VELQUOR_WINE_LANE} start ${prefix} ${fresh})
    add_test(NAME wine.${name}.stop COMMAND ${VELQUOR_WINE_LANE} stop ${prefix})
    set_tests_properties(wine.${name}.start PROPERTIES FIXTURES_SETUP wine_${name} TIMEOUT 120)
    set_tests_properties(wine.${name}.stop PROPERTIES FIXTURES_CLEANUP wine_${name} TIMEOUT 60)
endfunction()

# velquor_in_lane(NAME SHARED|OWN_DISPLAY TESTS...): the tests run in lane
# NAME; with OWN_DISPLAY each has the lane's display to itself while it runs.
function(velquor_in_lane name mode)
    set_property(TEST ${ARGN} APPEND PROPERTY FIXTURES_REQUIRED wine_${name})
    set_property(TEST ${ARGN} APPEND PROPERTY ENVIRONMENT
        "WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix-${name}")
    if(mode STREQUAL "OWN_DISPLAY")
        set_property(TEST ${ARGN} APPEND PROPERTY RESOURCE_LOCK display_${name})
    elseif(NOT mode STREQUAL "SHARED")
        message(FATAL_ERROR "velquor_in_lane: SHARED or OWN_DISPLAY, not ${mode}")
    endif()
endfunction()
