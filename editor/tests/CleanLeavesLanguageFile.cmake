# Run as a test on the build tree: a clean of it (ninja's clean, asked for
# a dry run, lists every file it would remove) leaves the editor's language
# file in the build folder alone, the copy that the user edits.
# cmake -DNINJA=<ninja> -DBUILD=<top build folder> -DCOPY=<the copy> -P CleanLeavesLanguageFile.cmake
execute_process(COMMAND ${NINJA} -C ${BUILD} -n -v -t clean
  OUTPUT_VARIABLE out ERROR_VARIABLE out RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "ninja's clean, as a dry run, failed:\n${out}")
endif()
file(RELATIVE_PATH relative ${BUILD} ${COPY})
string(REGEX MATCHALL "Remove [^\n]*" removed "${out}")
foreach(line IN LISTS removed)
  if(line STREQUAL "Remove ${COPY}" OR line STREQUAL "Remove ${relative}")
    message(FATAL_ERROR "A clean of the build removes the language file that the user edits: ${line}")
  endif()
endforeach()
