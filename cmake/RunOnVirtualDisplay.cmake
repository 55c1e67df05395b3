# cmake -DPROGRAM=<path> -DNAME=<test> -DSCRATCH=<folder> -P RunOnVirtualDisplay.cmake:
# starts a virtual X server of its own (Xvfb, on a display number it picks
# itself, so that tests side by side never meet) and the program in its own
# folder on that display; stops both after 5 s. Fails unless the program was
# still running then. Skipped, with the reason, where Xvfb is not installed.
find_program(XVFB Xvfb)
if(NOT XVFB)
  # In the form of a skipped GoogleTest case, so that the skip and its reason
  # are listed with theirs.
  message(NOTICE "${CMAKE_CURRENT_LIST_FILE}: Skipped\n"
    "Xvfb, the virtual X server, is not installed; scripts/install-deps.sh installs it.\n"
    "[  SKIPPED ] ${NAME}")
  return()
endif()

file(REMOVE_RECURSE ${SCRATCH})
file(MAKE_DIRECTORY ${SCRATCH})
set(number_file ${SCRATCH}/display)
# Xvfb writes the display number it took to descriptor 3 once it takes
# clients; it ends by itself when its last client has gone.
execute_process(
  COMMAND sh -c "\"$0\" -displayfd 3 -nolisten tcp -terminate -screen 0 1280x1024x24 3>\"$1\" >\"$2\" 2>&1 & echo $!"
    ${XVFB} ${number_file} ${SCRATCH}/xvfb.log
  OUTPUT_VARIABLE server
  OUTPUT_STRIP_TRAILING_WHITESPACE)

macro(fail text)
  execute_process(COMMAND kill ${server} ERROR_QUIET)
  message(FATAL_ERROR "${text}")
endmacro()

set(number "")
foreach(attempt RANGE 100)
  if(EXISTS ${number_file})
    file(READ ${number_file} number)
    string(STRIP "${number}" number)
  endif()
  if(number MATCHES "^[0-9]+$")
    break()
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} -E sleep 0.1)
endforeach()
if(NOT number MATCHES "^[0-9]+$")
  file(READ ${SCRATCH}/xvfb.log log)
  fail("Xvfb took no display within 10 s:\n${log}")
endif()

set(ENV{DISPLAY} :${number})
unset(ENV{WAYLAND_DISPLAY})
unset(ENV{QT_QPA_PLATFORM})
get_filename_component(folder ${PROGRAM} DIRECTORY)
execute_process(
  COMMAND ${PROGRAM}
  WORKING_DIRECTORY ${folder}
  RESULT_VARIABLE status
  OUTPUT_VARIABLE output
  ERROR_VARIABLE output
  TIMEOUT 5)
if(NOT status STREQUAL "Process terminated due to timeout")
  fail("the program ended by itself on display :${number} (\"${status}\"):\n${output}")
endif()
execute_process(COMMAND kill ${server} ERROR_QUIET)
