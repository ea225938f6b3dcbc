# Settings every Brixel target shares: language level, warnings, and the repository root (plus
# the generated headers) as the include root, so headers are named by their place
# ("core/listing/mask.h", "core/edition.h").
set(BRIXEL_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)

function(brixel_target_defaults target)
  target_compile_features(${target} PUBLIC cxx_std_20)
  if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror=return-type -Wshadow -Wconversion
      -Wsign-conversion -Wold-style-cast -Wnon-virtual-dtor -Woverloaded-virtual -Wnull-dereference -pedantic)
    if(BRIXEL_WERROR)
      target_compile_options(${target} PRIVATE -Werror)
    endif()
  endif()
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR} ${BRIXEL_GENERATED_DIR})
endfunction()

# A static library of the core, the shell or an edition.
function(brixel_add_library target)
  cmake_parse_arguments(ARG "" "ALIAS" "SOURCES;PUBLIC_LIBS;PRIVATE_LIBS" ${ARGN})
  add_library(${target} STATIC ${ARG_SOURCES})
  brixel_target_defaults(${target})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR} ${BRIXEL_GENERATED_DIR})
  target_link_libraries(${target} PUBLIC ${ARG_PUBLIC_LIBS} PRIVATE ${ARG_PRIVATE_LIBS})
  if(ARG_ALIAS)
    add_library(${ARG_ALIAS} ALIAS ${target})
  endif()
endfunction()
