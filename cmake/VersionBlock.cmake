# The product's name, description and version, read from the version block
# of res/velquor.rc, the one place they are written: the manifest, the
# packages and the page's texts take them from here (the page's pictures
# and the program read the same block themselves). Sets
# VELQUOR_PRODUCT_NAME, VELQUOR_DESCRIPTION and VELQUOR_PRODUCT_VERSION
# ("1.0.0").

set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/res/velquor.rc")

file(STRINGS "${PROJECT_SOURCE_DIR}/res/velquor.rc" velquor_product_name_line
     REGEX "VALUE \"ProductName\"")
file(STRINGS "${PROJECT_SOURCE_DIR}/res/velquor.rc" velquor_description_line
     REGEX "VALUE \"FileDescription\"")
file(STRINGS "${PROJECT_SOURCE_DIR}/res/velquor.rc" velquor_product_version_line
     REGEX "^PRODUCTVERSION ")
if(NOT velquor_product_name_line MATCHES "VALUE \"ProductName\", \"([^\"]+)\"")
    message(FATAL_ERROR "res/velquor.rc: no ProductName in the version block")
endif()
set(VELQUOR_PRODUCT_NAME "${CMAKE_MATCH_1}")
if(NOT velquor_description_line MATCHES "VALUE \"FileDescription\", \"([^\"]+)\"")
    message(FATAL_ERROR "res/velquor.rc: no FileDescription in the version block")
endif()
set(VELQUOR_DESCRIPTION "${CMAKE_MATCH_1}")
if(NOT velquor_product_version_line MATCHES "^PRODUCTVERSION ([0-9]+), *([0-9]+), *([0-9]+), *([0-9]+)")
    message(FATAL_ERROR "res/velquor.rc: no PRODUCTVERSION")
endif()
set(VELQUOR_PRODUCT_VERSION "${CMAKE_MATCH_1}.${CMAKE_MATCH_2}.${CMAKE_MATCH_3}")
if(NOT VELQUOR_PRODUCT_VERSION STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "res/velquor.rc says version ${VELQUOR_PRODUCT_VERSION}, "
                        "CMakeLists.txt says ${PROJECT_VERSION}: make them agree")
endif()
