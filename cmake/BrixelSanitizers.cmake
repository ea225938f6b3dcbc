# BRIXEL_SANITIZE: every target built with GCC's sanitizers, "address,undefined" (memory errors,
# leaks and undefined behaviour) or "thread" (data races). Optimised lightly, frames kept, so a
# report names the lines it is about; undefined behaviour ends the program, so a test that meets it
# fails. Qt and the other libraries from Debian are not instrumented.
if(BRIXEL_SANITIZE)
  if(NOT BRIXEL_SANITIZE MATCHES "^(address,undefined|undefined,address|address|undefined|thread)$")
    message(FATAL_ERROR "BRIXEL_SANITIZE is address,undefined or thread, not '${BRIXEL_SANITIZE}'")
  endif()
  add_compile_options(-fsanitize=${BRIXEL_SANITIZE} -fno-omit-frame-pointer -O1 -g1)
  add_link_options(-fsanitize=${BRIXEL_SANITIZE})
  if(BRIXEL_SANITIZE MATCHES undefined)
    add_compile_options(-fno-sanitize-recover=undefined)
  endif()
endif()
