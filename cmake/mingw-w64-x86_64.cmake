# Cross toolchain: 64-bit Windows with MinGW-w64 (posix threads), static runtime. Targets XP x64 /
# Server 2003 x64 (NT 5.2): the headers declare nothing newer and the loader sees 5.02 in the PE header.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TOOLCHAIN_PREFIX x86_64-w64-mingw32)
set(QUENDREL_WINNT 0x0502)
set(QUENDREL_PE_OS_VERSION 5.02)

include(${CMAKE_CURRENT_LIST_DIR}/MinGWCommon.cmake)
