# Test executables: each runs once (not once per test case). In the 64-bit Windows build they run under
# Wine through tools/wine/run.sh, inside a session (prefix, display, wineserver) that the fixture
# tests "wine.up" and "wine.down" open and close around them. Those marked XP run a second time in a
# prefix that reports XP x64 / Server 2003 x64 ("xp.up", "xp.down"; the test is NAME.xp). The 32-bit
# build's tests are built (so its compiler checks them too) but not run: Wine here runs 64-bit programs
# only.

set(QUENDREL_WINE_STATE ${PROJECT_BINARY_DIR}/wine CACHE PATH "Wine prefix and session state of the test harness")
set(QUENDREL_WINE_XP_STATE ${PROJECT_BINARY_DIR}/wine-xp CACHE PATH "Wine session that reports XP x64")
if(QUENDREL_WIN32 AND NOT CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
  set(QUENDREL_RUN_TESTS OFF)
else()
  set(QUENDREL_RUN_TESTS ON)
endif()

if(QUENDREL_WIN32 AND QUENDREL_RUN_TESTS AND NOT TARGET quendrel_wine_fixture)
  add_custom_target(quendrel_wine_fixture)
  # Tests run on an Xvfb of their own (QUENDREL_TEST_REAL_DISPLAY=1 at test time: on $DISPLAY).
  add_test(NAME wine.up COMMAND ${PROJECT_SOURCE_DIR}/tools/wine/session.sh up ${QUENDREL_WINE_STATE} --own-display)
  add_test(NAME wine.down COMMAND ${PROJECT_SOURCE_DIR}/tools/wine/session.sh down ${QUENDREL_WINE_STATE})
  set_tests_properties(wine.up PROPERTIES FIXTURES_SETUP wine TIMEOUT 180)
  set_tests_properties(wine.down PROPERTIES FIXTURES_CLEANUP wine)
  add_test(NAME xp.up COMMAND ${PROJECT_SOURCE_DIR}/tools/wine/session.sh up ${QUENDREL_WINE_XP_STATE} --own-display
                              --windows winxp64)
  add_test(NAME xp.down COMMAND ${PROJECT_SOURCE_DIR}/tools/wine/session.sh down ${QUENDREL_WINE_XP_STATE})
  set_tests_properties(xp.up PROPERTIES FIXTURES_SETUP wine_xp TIMEOUT 180)
  set_tests_properties(xp.down PROPERTIES FIXTURES_CLEANUP wine_xp)
endif()

# quendrel_test(NAME SOURCES ... LIBS ... [PORTABLE] [RESOURCES] [XP] [TIMEOUT s])
#   PORTABLE: the test needs no Win32 and is also built and run natively (sanitizer builds).
#   Without PORTABLE the test exists in the Windows build only.
#   RESOURCES: the test carries the program's own resources (icons, pictures, manifest).
#   XP: the Windows build also runs it where Wine reports XP x64 / Server 2003 x64 (NAME.xp).
function(quendrel_test name)
  cmake_parse_arguments(ARG "PORTABLE;RESOURCES;XP" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT QUENDREL_WIN32 AND NOT ARG_PORTABLE)
    return()
  endif()
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 300)
  endif()
  if(ARG_RESOURCES AND QUENDREL_WIN32)
    list(APPEND ARG_SOURCES $<TARGET_OBJECTS:quendrel_resources>)
  endif()
  add_executable(${name} ${ARG_SOURCES})
  quendrel_target_defaults(${name})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} quendrel_gtest_main)
  if(QUENDREL_WIN32 AND NOT QUENDREL_RUN_TESTS)
    # Built only.
  elseif(QUENDREL_WIN32)
    add_test(NAME ${name} COMMAND ${PROJECT_SOURCE_DIR}/tools/wine/run.sh ${QUENDREL_WINE_STATE}
             $<TARGET_FILE:${name}> --gtest_color=no)
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine TIMEOUT ${ARG_TIMEOUT})
    if(ARG_XP)
      add_test(NAME ${name}.xp COMMAND ${PROJECT_SOURCE_DIR}/tools/wine/run.sh ${QUENDREL_WINE_XP_STATE}
               $<TARGET_FILE:${name}> --gtest_color=no)
      set_tests_properties(${name}.xp PROPERTIES FIXTURES_REQUIRED wine_xp TIMEOUT ${ARG_TIMEOUT}
                           ENVIRONMENT QUENDREL_EXPECT_WINDOWS=5.2)
    endif()
  else()
    add_test(NAME ${name} COMMAND ${name} --gtest_color=no)
    set_tests_properties(${name} PROPERTIES TIMEOUT ${ARG_TIMEOUT})
  endif()
  if(QUENDREL_WIN32)
    # Decided once every library is defined (a test may link one defined after it). A deferred call
    # reads its arguments when it runs, so the name is written into it now.
    cmake_language(EVAL CODE
      "cmake_language(DEFER DIRECTORY [[${PROJECT_SOURCE_DIR}]] CALL _quendrel_test_error_box [[${name}]])")
  endif()
endfunction()

# A test that links the toolkit, directly or through other libraries, gets the error box guard
# (tests/support/ErrorBox.h).
function(_quendrel_test_error_box test)
  set(_seen "")
  get_target_property(_work ${test} LINK_LIBRARIES)
  while(_work)
    list(POP_FRONT _work _lib)
    if(NOT TARGET "${_lib}" OR _lib IN_LIST _seen)
      continue()
    endif()
    list(APPEND _seen ${_lib})
    if(_lib STREQUAL "quendrel_toolkit")
      target_link_libraries(${test} PRIVATE quendrel_test_error_box)
      return()
    endif()
    get_target_property(_next ${_lib} INTERFACE_LINK_LIBRARIES)
    if(_next)
      list(APPEND _work ${_next})
    endif()
  endwhile()
endfunction()
