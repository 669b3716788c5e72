# Third-party code for the Windows build: GoogleTest from Debian's sources, libjpeg cross-built from
# Debian's libjpeg-turbo source package by tools/build-libjpeg.sh (cached outside the build tree).

set(QUENDREL_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
if(QUENDREL_TESTS)
  add_subdirectory(${QUENDREL_GTEST_SOURCE} ${PROJECT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endif()

if(DEFINED ENV{QUENDREL_CACHE})
  set(_cache $ENV{QUENDREL_CACHE})
else()
  set(_cache $ENV{HOME}/.cache/quendrel)
endif()
# One cache folder per processor (and, for the threads runtime, per target Windows).
set(QUENDREL_LIBJPEG_DIR ${_cache}/libjpeg-${TOOLCHAIN_PREFIX} CACHE PATH "libjpeg built for MinGW-w64")
if(NOT EXISTS ${QUENDREL_LIBJPEG_DIR}/lib/libjpeg.a)
  message(STATUS "Building libjpeg for ${TOOLCHAIN_PREFIX} into ${QUENDREL_LIBJPEG_DIR}")
  execute_process(COMMAND ${PROJECT_SOURCE_DIR}/tools/build-libjpeg.sh ${QUENDREL_LIBJPEG_DIR} ${CMAKE_TOOLCHAIN_FILE}
                  RESULT_VARIABLE _rc)
  if(NOT _rc EQUAL 0)
    message(FATAL_ERROR "tools/build-libjpeg.sh failed (${_rc})")
  endif()
endif()
add_library(quendrel_libjpeg STATIC IMPORTED GLOBAL)
set_target_properties(quendrel_libjpeg PROPERTIES
  IMPORTED_LOCATION ${QUENDREL_LIBJPEG_DIR}/lib/libjpeg.a
  INTERFACE_INCLUDE_DIRECTORIES ${QUENDREL_LIBJPEG_DIR}/include)

# The posix-threads runtime built for the target Windows (tools/build-winpthreads.sh says why); its
# folder comes before the toolchain's own, so the compiler driver's -lpthread finds this copy.
set(QUENDREL_WINPTHREADS_DIR ${_cache}/winpthreads-${TOOLCHAIN_PREFIX}-${QUENDREL_WINNT}
    CACHE PATH "winpthreads built for the target Windows")
if(NOT EXISTS ${QUENDREL_WINPTHREADS_DIR}/lib/libpthread.a)
  message(STATUS "Building winpthreads for ${TOOLCHAIN_PREFIX} into ${QUENDREL_WINPTHREADS_DIR}")
  execute_process(COMMAND ${PROJECT_SOURCE_DIR}/tools/build-winpthreads.sh ${TOOLCHAIN_PREFIX} ${QUENDREL_WINNT}
                          ${QUENDREL_WINPTHREADS_DIR}
                  RESULT_VARIABLE _rc)
  if(NOT _rc EQUAL 0)
    message(FATAL_ERROR "tools/build-winpthreads.sh failed (${_rc})")
  endif()
endif()
add_link_options(-L${QUENDREL_WINPTHREADS_DIR}/lib)
