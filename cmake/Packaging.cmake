# What the installer puts under Program Files, and the installer itself: cpack -G NSIS with our own
# script template (cmake/NSIS.template.in) for NSIS's 64-bit target. tools/build-installer.sh runs it
# on a release build.

install(TARGETS quendrel quendrel-store RUNTIME DESTINATION .)
install(FILES ${QUENDREL_HELP_FILE} DESTINATION .)

set(CPACK_GENERATOR NSIS)
# What the installer ships carries no symbols, whichever optimised build it is packed from (the
# runtime is static already, see the toolchain).
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_NAME Quendrel)
set(CPACK_PACKAGE_VENDOR Quendrel)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Tells you when mail waits in Outlook Express")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME Quendrel-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Quendrel)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Quendrel)
set(CPACK_NSIS_PACKAGE_NAME Quendrel)
set(CPACK_NSIS_DISPLAY_NAME Quendrel)
set(CPACK_NSIS_COMPRESSOR "/SOLID lzma")
set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/resources/art/quendrel.ico)
set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/resources/art/quendrel.ico)
set(CPACK_NSIS_URL_INFO_ABOUT "http://www.quendrel.example/")
set(CPACK_NSIS_CONTACT "support@quendrel.example")
set(CPACK_NSIS_UNINSTALL_NAME Uninstall)
set(CPACK_QUENDREL_COPYRIGHT "Copyright (c) 2004-2026 Quendrel Software")
include(CPack)
