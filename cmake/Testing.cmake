# vtx_add_test(<name> SOURCES ... LIBS ...): one GoogleTest program, its cases
# registered with CTest one by one. A parameterised case is registered under
# the name its instantiation gives it, without a print of its value.
function(vtx_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;PROPERTIES" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main Threads::Threads)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 NO_PRETTY_VALUES PROPERTIES ${T_PROPERTIES})
endfunction()

# vtx_add_no_display_test(<program>): the desktop program, started where
# there is no display, says that it needs a graphical session and ends
# with a failure status of its own, not with the window toolkit's abort.
function(vtx_add_no_display_test program)
  add_test(NAME ${program}.WithoutADisplaySaysWhatItNeeds
    COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:${program}>
            -P ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/RunWithoutDisplay.cmake)
endfunction()
