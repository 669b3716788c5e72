# Cross toolchain: 32-bit Windows with MinGW-w64 (posix threads), static runtime. Targets Windows XP
# SP3 (NT 5.1): the headers declare nothing newer and the loader sees 5.01 in the PE header.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TOOLCHAIN_PREFIX i686-w64-mingw32)
set(QUENDREL_WINNT 0x0501)
set(QUENDREL_PE_OS_VERSION 5.01)

include(${CMAKE_CURRENT_LIST_DIR}/MinGWCommon.cmake)
