# One way to register a test program: GoogleTest discovered by CTest, linked to the libraries it checks.
if(WIN32 AND CMAKE_CROSSCOMPILING)
  include(BrixelWindowsTesting)
else()
  find_package(GTest REQUIRED)
  set(BRIXEL_GTEST_MAIN GTest::gtest_main)
endif()
include(GoogleTest)

function(brixel_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  brixel_target_defaults(${name})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} brixel_test_support GTest::gtest ${BRIXEL_GTEST_MAIN})
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "BRIXEL_BUILD_DIR=${CMAKE_BINARY_DIR}")
endfunction()
