# One way to register a test program: GoogleTest discovered by CTest, linked to the libraries it checks.
find_package(GTest REQUIRED)
include(GoogleTest)

function(brixel_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  brixel_target_defaults(${name})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} brixel_test_support GTest::gtest GTest::gtest_main)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "BRIXEL_BUILD_DIR=${CMAKE_BINARY_DIR};BRIXEL_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
endfunction()
