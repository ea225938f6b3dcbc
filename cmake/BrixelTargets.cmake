# Settings every Brixel target shares: language level, warnings, and the repository root (plus
# the generated headers) as the include root, so headers are named by their place
# ("core/listing/mask.h", "core/edition.h").
set(BRIXEL_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)

function(brixel_target_defaults target)
  target_compile_features(${target} PUBLIC cxx_std_20)
  if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror=return-type -Wshadow -Wconversion
      -Wsign-conversion -Wold-style-cast -Wnon-virtual-dtor -Woverloaded-virtual -pedantic)
    # The sanitizers' instrumentation shows GCC null pointers that are not there; the plain build
    # looks for them.
    if(NOT BRIXEL_SANITIZE)
      target_compile_options(${target} PRIVATE -Wnull-dereference)
    endif()
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

# One of the two window programs: its main.cpp over its edition's library, beside the help
# pages; on Windows a windows program with the programs' icon and its version and description.
function(brixel_add_window_program name)
  cmake_parse_arguments(ARG "" "LIB;DESCRIPTION;VERSION" "" ${ARGN})
  add_executable(${name} main.cpp)
  brixel_target_defaults(${name})
  target_link_libraries(${name} PRIVATE ${ARG_LIB})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${BRIXEL_RUNTIME_DIR})
  add_dependencies(${name} brixel_help)
  if(WIN32)
    brixel_windows_program(${name} ICON ${BRIXEL_WINDOWS_ICON} DESCRIPTION "${ARG_DESCRIPTION}"
      VERSION ${ARG_VERSION})
  endif()
endfunction()
