# GoogleTest for the Windows cross build: compiled from Debian's googletest sources, since no
# Windows build of it is packaged, and run under wine through CMAKE_CROSSCOMPILING_EMULATOR.
set(BRIXEL_GOOGLETEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources (Debian's googletest package)")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(${BRIXEL_GOOGLETEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# Our own main: a crash must end the test program with a failing exit code, whatever wine's
# debugger would have done with it.
add_library(brixel_test_main STATIC ${PROJECT_SOURCE_DIR}/tests/support/test_main_windows.cpp)
brixel_target_defaults(brixel_test_main)
target_link_libraries(brixel_test_main PUBLIC GTest::gtest)
target_include_directories(brixel_test_main PRIVATE ${PROJECT_SOURCE_DIR})
set(BRIXEL_GTEST_MAIN brixel_test_main)

# setenv and unsetenv, which tests use and mingw-w64 lacks: declared in every test source.
target_sources(brixel_test_main PRIVATE ${PROJECT_SOURCE_DIR}/tests/support/posix_env_windows.cpp)
target_compile_options(brixel_test_main INTERFACE
  "SHELL:-include ${PROJECT_SOURCE_DIR}/tests/support/posix_env_windows.h")

# Every test program started through a wrapper that tries once more a start wine lost before main.
set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_SOURCE_DIR}/tests/support/run_under_wine.sh)

# List the tests when ctest runs, not at build time: building then needs no wine.
set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)
