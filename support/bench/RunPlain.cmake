# cmake -DPROGRAM=<support_bench> -DSCRATCH=<folder> [-DCOLOUR=<value>] -P RunPlain.cmake:
# runs the INI file's Load and its reference briefly, as a script would, with
# the output into a pipe and TMPDIR an empty folder of its own
# (--benchmark_color=<value> when COLOUR is given). Fails on a colour code in
# the output, on a missing ratio line, or on anything left in the folder.
file(REMOVE_RECURSE ${SCRATCH})
file(MAKE_DIRECTORY ${SCRATCH})
set(ENV{TMPDIR} ${SCRATCH})
set(args "--benchmark_filter=^BM_(Ini|Ref)Load$" --benchmark_min_time=0.01)
if(DEFINED COLOUR)
  list(APPEND args --benchmark_color=${COLOUR})
endif()
execute_process(
  COMMAND ${PROGRAM} ${args}
  RESULT_VARIABLE status
  OUTPUT_VARIABLE output
  ERROR_VARIABLE output
  TIMEOUT 120)
set(faults "")
if(NOT status EQUAL 0)
  list(APPEND faults "it failed (\"${status}\")")
endif()
string(ASCII 27 escape)
if(output MATCHES "${escape}")
  list(APPEND faults "colour codes in its output (the escape shown as <ESC>)")
  string(REPLACE "${escape}" "<ESC>" output "${output}")
endif()
if(NOT output MATCHES "\n  Load +[0-9.]+ x\n")
  list(APPEND faults "no ratio of Load to its reference")
endif()
file(GLOB left LIST_DIRECTORIES true ${SCRATCH}/*)
if(left)
  list(APPEND faults "left in TMPDIR: ${left}")
endif()
if(faults)
  message(NOTICE "${output}")
  list(JOIN faults "; " faults)
  message(FATAL_ERROR "${faults}")
endif()
