# Compiler settings for our own targets (third-party code is built without them).

function(quendrel_target_defaults target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
  if(QUENDREL_WIN32)
    # ANSI Win32 entry points are the ones this program uses; keep the headers lean. The toolchain names
    # the oldest Windows of the build, so the headers declare nothing that Windows lacks.
    target_compile_definitions(${target} PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX
                               _WIN32_WINNT=${QUENDREL_WINNT} WINVER=${QUENDREL_WINNT})
  endif()
endfunction()

if(NOT QUENDREL_WIN32)
  if(QUENDREL_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
  endif()
  if(QUENDREL_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
      message(FATAL_ERROR "QUENDREL_FUZZ needs clang (libFuzzer)")
    endif()
    add_compile_options(-fsanitize=fuzzer-no-link)
  endif()
endif()

# A library of our own: defaults applied, includes from the source root ("store/DbxReader.h").
function(quendrel_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  quendrel_target_defaults(${name})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  if(ARG_LIBS)
    target_link_libraries(${name} PUBLIC ${ARG_LIBS})
  endif()
endfunction()

function(quendrel_executable name)
  cmake_parse_arguments(ARG "GUI" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  quendrel_target_defaults(${name})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  if(ARG_LIBS)
    target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  endif()
  if(QUENDREL_WIN32 AND ARG_GUI)
    set_target_properties(${name} PROPERTIES WIN32_EXECUTABLE ON)
  endif()
endfunction()
