# vtx_folder_label(<variable>): the label of the tests of the folder being
# read: its layer's name (rtl, win32, vcl, support, serial, network, tools,
# editor, monitor), so that ctest -L picks a layer and its label summary
# covers every test.
function(vtx_folder_label variable)
  file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  string(REGEX REPLACE "^platform/" "" folder "${folder}")
  string(REGEX REPLACE "/.*" "" folder "${folder}")
  set(${variable} ${folder} PARENT_SCOPE)
endfunction()

# vtx_add_test(<name> SOURCES ... LIBS ...): one GoogleTest program, its cases
# registered with CTest one by one and labelled by their folder. A
# parameterised case is registered under the name its instantiation gives
# it, without a print of its value.
function(vtx_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;PROPERTIES" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main Threads::Threads)
  vtx_folder_label(label)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 NO_PRETTY_VALUES PROPERTIES LABELS ${label} ${T_PROPERTIES})
endfunction()

# The X platform's keyboard library (libxkbcommon-x11) hands strndup buffers
# that their length ends, without a NUL, which AddressSanitizer's strict
# string checks report: the tests that start the X platform run without
# those checks.
set(VTX_X_PLATFORM_TEST_ENVIRONMENT "ASAN_OPTIONS=string_append::strict_string_checks=0")

# vtx_add_desktop_test(<name> SOURCES ... LIBS ...): a GoogleTest program of
# the desktop tests (its main starts the virtual X server and the window
# manager), its cases registered as vtx_add_test does.
function(vtx_add_desktop_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  vtx_add_test(${name} SOURCES ${T_SOURCES} LIBS ${T_LIBS} vcl_desktop_testing vcl_desktop_test_main
    PROPERTIES ENVIRONMENT_MODIFICATION ${VTX_X_PLATFORM_TEST_ENVIRONMENT})
endfunction()

# vtx_add_script_test(<name> <script> [-D<var>=<value>...]): the CMake
# script run as test <name>, with those variables, labelled by its folder.
function(vtx_add_script_test name script)
  add_test(NAME ${name} COMMAND ${CMAKE_COMMAND} ${ARGN} -P ${script})
  vtx_folder_label(label)
  set_tests_properties(${name} PROPERTIES LABELS ${label})
endfunction()

# vtx_add_no_display_test(<program>): the desktop program, started where
# there is no display, says that it needs a graphical session and ends
# with a failure status of its own, not with the window toolkit's abort;
# started where a display or window platform is named that cannot be
# opened, says which and ends with status 1; started on a display of its
# own (a virtual X server; skipped without one), it runs.
function(vtx_add_no_display_test program)
  vtx_add_script_test(${program}.WithoutADisplaySaysWhatItNeeds
    ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/RunWithoutDisplay.cmake -DPROGRAM=$<TARGET_FILE:${program}>)
  vtx_add_script_test(${program}.WithADisplayThatCannotBeOpenedSaysWhich
    ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/RunWithUnopenedDisplay.cmake -DPROGRAM=$<TARGET_FILE:${program}>)
  set(name ${program}.StartsOnAVirtualDisplay)
  vtx_add_script_test(${name} ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/RunOnVirtualDisplay.cmake
    -DPROGRAM=$<TARGET_FILE:${program}> -DNAME=${name} -DSCRATCH=${CMAKE_CURRENT_BINARY_DIR}/virtual-display)
  set_tests_properties(${name} PROPERTIES SKIP_REGULAR_EXPRESSION "\\[  SKIPPED \\]"
    ENVIRONMENT_MODIFICATION ${VTX_X_PLATFORM_TEST_ENVIRONMENT})
endfunction()

# vtx_add_quiet_start_test(<program>): the desktop program, started in a
# login without XDG_RUNTIME_DIR, shows its window on the offscreen platform
# and prints nothing: no warning of the window toolkit's.
function(vtx_add_quiet_start_test program)
  vtx_add_script_test(${program}.WithoutARuntimeFolderStartsQuietly
    ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/RunWithoutRuntimeFolder.cmake -DPROGRAM=$<TARGET_FILE:${program}>
    -DSCRATCH=${CMAKE_CURRENT_BINARY_DIR}/quiet-start)
endfunction()
