# cmake -DPROGRAM=<path> -P RunWithoutDisplay.cmake: starts the program with
# no display and no window platform named, and fails unless it ends at once
# with a non-zero status and a line saying that it needs a graphical session.
unset(ENV{DISPLAY})
unset(ENV{WAYLAND_DISPLAY})
unset(ENV{QT_QPA_PLATFORM})
execute_process(
  COMMAND ${PROGRAM}
  RESULT_VARIABLE status
  OUTPUT_VARIABLE output
  ERROR_VARIABLE output
  TIMEOUT 60)
if(NOT status MATCHES "^[1-9][0-9]*$")
  message(FATAL_ERROR "expected a failure status of the program's own, got \"${status}\":\n${output}")
endif()
if(NOT output MATCHES "needs a graphical session")
  message(FATAL_ERROR "the program did not say what it needs:\n${output}")
endif()
