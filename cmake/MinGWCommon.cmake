# The part of the MinGW-w64 toolchain files that both processors share. The including file sets
# TOOLCHAIN_PREFIX, QUENDREL_WINNT (the _WIN32_WINNT of the oldest Windows it targets) and
# QUENDREL_PE_OS_VERSION (that Windows as "major.minor" for the PE header).
set(CMAKE_C_COMPILER   ${TOOLCHAIN_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TOOLCHAIN_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER  ${TOOLCHAIN_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TOOLCHAIN_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# No DLLs to ship next to the programs: libgcc, libstdc++ and winpthread are linked in. The PE header
# names the target Windows as the oldest system and subsystem the program runs on (the linker's default
# says 4.0 and 5.02, which lets 32-bit XP start nothing it could not run).
string(REPLACE "." ";" _quendrel_os "${QUENDREL_PE_OS_VERSION}")
list(GET _quendrel_os 0 _quendrel_os_major)
list(GET _quendrel_os 1 _quendrel_os_minor)
math(EXPR _quendrel_os_minor "${_quendrel_os_minor}")
set(CMAKE_EXE_LINKER_FLAGS_INIT
    "-static -static-libgcc -static-libstdc++ -Wl,--major-os-version,${_quendrel_os_major},--minor-os-version,${_quendrel_os_minor},--major-subsystem-version,${_quendrel_os_major},--minor-subsystem-version,${_quendrel_os_minor}")
