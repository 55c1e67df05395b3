# cmake -DPROGRAM=<path> -DSCRATCH=<folder> -P RunWithoutRuntimeFolder.cmake:
# starts the program in its own folder on the offscreen platform, in a login
# that names no runtime folder (no XDG_RUNTIME_DIR, as after su, over ssh
# with X forwarding or on a plain X server) and with TMPDIR an empty folder
# of its own; stops it after 5 s, with its window up. Fails unless it was
# still running then and had printed nothing.
file(REMOVE_RECURSE ${SCRATCH})
file(MAKE_DIRECTORY ${SCRATCH})
unset(ENV{XDG_RUNTIME_DIR})
set(ENV{TMPDIR} ${SCRATCH})
set(ENV{QT_QPA_PLATFORM} offscreen)
get_filename_component(folder ${PROGRAM} DIRECTORY)
execute_process(
  COMMAND ${PROGRAM}
  WORKING_DIRECTORY ${folder}
  RESULT_VARIABLE status
  OUTPUT_VARIABLE output
  ERROR_VARIABLE output
  TIMEOUT 5)
if(NOT status STREQUAL "Process terminated due to timeout")
  message(FATAL_ERROR "the program ended by itself (\"${status}\"):\n${output}")
endif()
if(NOT output STREQUAL "")
  message(NOTICE "${output}")
  message(FATAL_ERROR "the program printed the lines above")
endif()
