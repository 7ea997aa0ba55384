# What ships, and how: VelQUOR.exe with a read-me for users (README.txt) and
# LICENSE, as a portable zip and as an installer made by NSIS (Debian's
# makensis). `tools/package` makes both; `cpack` in build/win32 does the same
# by hand once VelQUOR.exe is built. Both are reproducible: the same commit
# gives the same bytes (tools/package sets SOURCE_DATE_EPOCH).
#
# The package takes its name, description and version from the program's
# version block (cmake/VersionBlock.cmake), so that what Windows lists under
# installed programs is what the program says about itself.
if(NOT WIN32)
    return()
endif()

# --- What is installed --------------------------------------------------------

# Everything goes into the one folder: the program needs nothing beside it.
install(TARGETS VelQUOR RUNTIME DESTINATION .)
# Packaging installs VelQUOR.exe as it was last built, without building every
# test program first (what the default would do): whoever packages builds
# the program (tools/package does), and the static checks package a tree
# where nothing else was built.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
install(FILES "${CMAKE_BINARY_DIR}/README.txt" LICENSE DESTINATION .)

# The read-me for users: the sections of README.md marked for them, as plain
# text with Windows line ends. Made with the program, since whoever packages
# builds only the program.
find_program(VELQUOR_PYTHON python3 HINTS /usr/bin REQUIRED)
add_custom_command(OUTPUT "${CMAKE_BINARY_DIR}/README.txt"
    COMMAND "${VELQUOR_PYTHON}" "${PROJECT_SOURCE_DIR}/tools/user-readme.py"
            "${PROJECT_SOURCE_DIR}/README.md" "${CMAKE_BINARY_DIR}/README.txt"
    DEPENDS "${PROJECT_SOURCE_DIR}/README.md" "${PROJECT_SOURCE_DIR}/tools/user-readme.py"
    COMMENT "Making the read-me for users")
add_custom_target(velquor_user_readme DEPENDS "${CMAKE_BINARY_DIR}/README.txt")
add_dependencies(VelQUOR velquor_user_readme)

# --- The packages -------------------------------------------------------------

# The values below reach cpack exactly as written here, backslashes and all.
set(CPACK_VERBATIM_VARIABLES ON)
# The zip is packed by tools/make-zip.py from what CPack stages
# (cmake/MakeZip.cmake).
# Without makensis (a mirror that could not give Debian's nsis) the zip is
# made alone, and the installer's test says why it is skipped.
find_program(VELQUOR_MAKENSIS makensis)
if(VELQUOR_MAKENSIS)
    set(CPACK_GENERATOR "External;NSIS")
else()
    set(CPACK_GENERATOR "External")
endif()
set(CPACK_EXTERNAL_ENABLE_STAGING ON)
set(CPACK_EXTERNAL_PACKAGE_SCRIPT "${PROJECT_SOURCE_DIR}/cmake/MakeZip.cmake")
set(CPACK_VELQUOR_PYTHON "${VELQUOR_PYTHON}")
set(CPACK_VELQUOR_MAKE_ZIP "${PROJECT_SOURCE_DIR}/tools/make-zip.py")
set(CPACK_PACKAGE_NAME "${VELQUOR_PRODUCT_NAME}")
set(CPACK_PACKAGE_VENDOR "the Velquor authors")
set(CPACK_PACKAGE_VERSION "${VELQUOR_PRODUCT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${VELQUOR_DESCRIPTION}")
set(CPACK_PACKAGE_FILE_NAME "${VELQUOR_PRODUCT_NAME}-${VELQUOR_PRODUCT_VERSION}-${VELQUOR_WINDOWS_ARCH}")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "${VELQUOR_PRODUCT_NAME}")
# The key under ...\CurrentVersion\Uninstall, and under Software\<vendor>.
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY "${VELQUOR_PRODUCT_NAME}")
# Without these CPack would show its own licence and read-me.
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
set(CPACK_RESOURCE_FILE_README "${PROJECT_SOURCE_DIR}/README.md")

# The installer. Its version block carries the same name and version as the
# program's, and its title, Start-menu folder and uninstall entry key are
# named after the product alone; the name Windows lists under installed
# programs carries the version.
set(CPACK_NSIS_PACKAGE_NAME "${VELQUOR_PRODUCT_NAME}")
set(CPACK_NSIS_DISPLAY_NAME "${VELQUOR_PRODUCT_NAME} ${VELQUOR_PRODUCT_VERSION}")
set(CPACK_NSIS_INSTALLED_ICON_NAME "VelQUOR.exe")
set(CPACK_NSIS_MUI_ICON "${PROJECT_SOURCE_DIR}/res/velquor.ico")
set(CPACK_NSIS_MUI_UNIICON "${PROJECT_SOURCE_DIR}/res/velquor.ico")
set(CPACK_NSIS_MANIFEST_DPI_AWARE ON)
set(CPACK_NSIS_COMPRESSOR "/SOLID lzma")

# One Start-menu entry for the program, next to the uninstaller's. Written
# out rather than left to CPACK_PACKAGE_EXECUTABLES, which would point the
# shortcut at "$INSTDIR\bin" or "$INSTDIR\.".
set(CPACK_NSIS_CREATE_ICONS_EXTRA
    "  CreateShortCut \"$SMPROGRAMS\\$STARTMENU_FOLDER\\${VELQUOR_PRODUCT_NAME}.lnk\" \"$INSTDIR\\VelQUOR.exe\"")
set(CPACK_NSIS_DELETE_ICONS_EXTRA
    "  Delete \"$SMPROGRAMS\\$MUI_TEMP\\${VELQUOR_PRODUCT_NAME}.lnk\"")

# The size Windows lists under installed programs, in KB: that of the files
# the installer's one section holds.
set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS "
  SectionGetSize 0 $0
  WriteRegDWORD SHCTX \"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\${CPACK_PACKAGE_INSTALL_REGISTRY_KEY}\" \"EstimatedSize\" $0
")

# Top-level NSIS statements: the installer's version block, no file times in
# the installer (each build's files have their own, and the installed files
# take the time of installing), the text that names whose installer it is at
# the foot of every page (written here: CPack's own setting adds an option
# Debian's makensis refuses), and an uninstall step CPack's script lacks.
# That script stores the install folder under Software\<vendor>\<product>
# and, on uninstalling, deletes the product's key but leaves the vendor's,
# now empty: remove it too, if nothing else is in it.
set(CPACK_NSIS_DEFINES "
  VIProductVersion \"${VELQUOR_PRODUCT_VERSION}.0\"
  VIAddVersionKey /LANG=1033 \"ProductName\" \"${VELQUOR_PRODUCT_NAME}\"
  VIAddVersionKey /LANG=1033 \"ProductVersion\" \"${VELQUOR_PRODUCT_VERSION}\"
  VIAddVersionKey /LANG=1033 \"FileVersion\" \"${VELQUOR_PRODUCT_VERSION}\"
  VIAddVersionKey /LANG=1033 \"FileDescription\" \"${VELQUOR_PRODUCT_NAME} ${VELQUOR_PRODUCT_VERSION} Setup\"
  VIAddVersionKey /LANG=1033 \"LegalCopyright\" \"Copyright (C) 2026 ${CPACK_PACKAGE_VENDOR}\"
  SetDateSave off
  BrandingText \"${VELQUOR_PRODUCT_NAME} ${VELQUOR_PRODUCT_VERSION} installer\"

Function un.onUninstSuccess
  DeleteRegKey /ifempty SHCTX \"Software\\${CPACK_PACKAGE_VENDOR}\"
FunctionEnd
")

include(CPack)
