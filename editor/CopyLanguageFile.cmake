# cmake -DFROM=<shipped file> -DTO=<build copy> -DSTAMP=<stamp> -DDEPFILE=<depfile> -P CopyLanguageFile.cmake
# Copies the shipped language file into the build folder only while no copy
# is there, so an edited copy is never written over. The build owns only the
# stamp; the depfile names the copy as the stamp's input, so that the build
# comes here again once the copy is deleted (or edited, which copies nothing).
if(NOT EXISTS "${TO}")
  file(COPY_FILE "${FROM}" "${TO}")
endif()
file(WRITE "${DEPFILE}" "${STAMP}: ${TO}\n")
file(TOUCH "${STAMP}")
