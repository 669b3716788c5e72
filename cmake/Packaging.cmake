# What the installer puts under Program Files, and the installer itself: cpack -G NSIS with our own
# script template (cmake/NSIS.template.in), for NSIS's 64-bit target in a 64-bit build and its x86 target
# in a 32-bit one. tools/build-installer.sh runs it on a release build.

set(QUENDREL_SHIPPED_PROGRAMS quendrel quendrel-store)
install(TARGETS ${QUENDREL_SHIPPED_PROGRAMS} RUNTIME DESTINATION .)

# Every shipped program must start on the oldest Windows of this build: its imports are checked against
# what that system exports (tests/imports).
set(_shipped "")
foreach(_program IN LISTS QUENDREL_SHIPPED_PROGRAMS)
  list(APPEND _shipped $<TARGET_FILE:${_program}>)
endforeach()
add_test(NAME imports COMMAND python3 ${PROJECT_SOURCE_DIR}/tests/imports/check_imports.py
         --target ${CMAKE_SYSTEM_PROCESSOR} --objdump ${CMAKE_OBJDUMP} ${_shipped})
install(FILES ${QUENDREL_HELP_FILE} DESTINATION .)

set(CPACK_GENERATOR NSIS)
# What the installer ships carries no symbols, whichever optimised build it is packed from (the
# runtime is static already, see the toolchain).
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_NAME Quendrel)
set(CPACK_PACKAGE_VENDOR Quendrel)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Tells you when mail waits in Outlook Express")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
  set(QUENDREL_INSTALLER_NAME Quendrel-${PROJECT_VERSION}-win64)
  set(CPACK_QUENDREL_NSIS_TARGET amd64-unicode)
  set(CPACK_QUENDREL_NSIS_PROGRAM_FILES "$PROGRAMFILES64")
  set(CPACK_QUENDREL_NSIS_REG_VIEW 64)
else()
  set(QUENDREL_INSTALLER_NAME Quendrel-${PROJECT_VERSION}-win32)
  set(CPACK_QUENDREL_NSIS_TARGET x86-unicode)
  set(CPACK_QUENDREL_NSIS_PROGRAM_FILES "$PROGRAMFILES")
  set(CPACK_QUENDREL_NSIS_REG_VIEW 32)
endif()
set(CPACK_PACKAGE_FILE_NAME ${QUENDREL_INSTALLER_NAME})
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
