# CPack's own zip writer stores each file's time on disk and its owner, so
# that two builds of one commit give different zips: CPack only stages the
# files here (the External generator) and tools/make-zip.py packs them.
execute_process(
    COMMAND "${CPACK_VELQUOR_PYTHON}" "${CPACK_VELQUOR_MAKE_ZIP}"
            "${CPACK_TEMPORARY_DIRECTORY}" "${CPACK_PACKAGE_FILE_NAME}"
            "${CPACK_TEMPORARY_DIRECTORY}/../${CPACK_PACKAGE_FILE_NAME}.zip"
    RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "tools/make-zip.py failed (${status})")
endif()
set(CPACK_EXTERNAL_BUILT_PACKAGES "${CPACK_TEMPORARY_DIRECTORY}/../${CPACK_PACKAGE_FILE_NAME}.zip")
