# VTX_SANITIZE names the sanitizers to build every target with, for example
# "address;undefined" or "thread". A report ends the process with a failure,
# so a test run under a sanitizer fails on the first report.
if(VTX_SANITIZE)
  list(JOIN VTX_SANITIZE "," _vtx_sanitizers)
  add_compile_options(-fsanitize=${_vtx_sanitizers} -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=${_vtx_sanitizers})
endif()
