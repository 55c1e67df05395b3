# One warning level for the whole tree: a clean build prints nothing.
add_compile_options(-Wall -Wextra)

# GCC 12 reports -Wrestrict inside its own <string> when optimising a
# literal + std::string concatenation (a known false positive of that
# compiler release); the warning says nothing about our code there.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_GREATER_EQUAL 12
   AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  add_compile_options(-Wno-restrict)
endif()
