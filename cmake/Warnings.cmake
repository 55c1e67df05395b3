# One warning level for the whole tree: a clean build prints nothing.
add_compile_options(-Wall -Wextra)
