# cmake -DPROGRAM=<path> -P RunWithUnopenedDisplay.cmake: starts the program
# where a display or a window platform is named that cannot be opened: an X
# display with no server (a DISPLAY left from an earlier session), a Wayland
# display with no compositor and no DISPLAY, a platform the window toolkit
# has not got, and one named with a stray blank. Fails unless each ends with
# status 1 and a line of the program's that names what could not be opened,
# not with the toolkit's abort and its advice to reinstall.

# An X display number with no server: none that a server holds or has held.
set(display 7430)
while(EXISTS /tmp/.X${display}-lock OR EXISTS /tmp/.X11-unix/X${display})
  math(EXPR display "${display} + 1")
endwhile()

get_filename_component(program ${PROGRAM} NAME)
set(failures "")
# try(<case> <expected text> <variable>=<value>...)
function(try case expected)
  unset(ENV{DISPLAY})
  unset(ENV{WAYLAND_DISPLAY})
  unset(ENV{QT_QPA_PLATFORM})
  foreach(assignment ${ARGN})
    string(REGEX MATCH "^[^=]*" name "${assignment}")
    string(REGEX REPLACE "^[^=]*=" "" value "${assignment}")
    set(ENV{${name}} "${value}")
  endforeach()
  execute_process(
    COMMAND ${PROGRAM}
    RESULT_VARIABLE status
    OUTPUT_VARIABLE output
    ERROR_VARIABLE output
    TIMEOUT 30)
  if(NOT status STREQUAL "1" OR NOT output MATCHES "(^|\n)${program} [^\n]*${expected}" OR output MATCHES "[Rr]einstall")
    message(NOTICE "${case}: status \"${status}\"; expected 1, a line of the program's naming ${expected} and no "
      "advice to reinstall:\n${output}")
    set(failures ${failures} "${case}" PARENT_SCOPE)
  endif()
endfunction()

try("an X display with no server" "\":${display}\"" DISPLAY=:${display})
try("a Wayland display with no compositor" "\"wayland-9\"" WAYLAND_DISPLAY=wayland-9)
try("a platform the toolkit has not got" "\"nosuchplatform\"" QT_QPA_PLATFORM=nosuchplatform)
try("a platform named with a stray blank" "\"xcb \"" "QT_QPA_PLATFORM=xcb ")

if(failures)
  list(JOIN failures ", " failures)
  message(FATAL_ERROR "failed: ${failures}")
endif()
