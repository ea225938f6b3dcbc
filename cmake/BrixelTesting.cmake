# One way to register a test program:
#   brixel_add_test(NAME SOURCES <files...> LIBS <targets...> [QT [PLATFORM <name>]])
# A GoogleTest program is discovered by CTest test by test; these programs, which need no Qt, are
# built together by the target brixel_core_tests. QT marks a Qt Test program that drives
# the windows: run whole on the offscreen platform (or the PLATFORM named: "windows" needs a
# display, and such tests carry the label "display"), with the window test doubles, leaving its
# screenshots in the build folder.
if(WIN32 AND CMAKE_CROSSCOMPILING)
  include(BrixelWindowsTesting)
else()
  find_package(GTest REQUIRED)
  set(BRIXEL_GTEST_MAIN GTest::gtest_main)
endif()
include(GoogleTest)

function(brixel_add_test name)
  cmake_parse_arguments(ARG "QT" "PLATFORM" "SOURCES;LIBS" ${ARGN})
  if(NOT ARG_PLATFORM)
    set(ARG_PLATFORM offscreen)
  endif()
  add_executable(${name} ${ARG_SOURCES})
  brixel_target_defaults(${name})
  if(ARG_QT)
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} brixel_window_test_support Qt6::Test)
    add_test(NAME ${name} COMMAND ${name})
    set(platform QT_QPA_PLATFORM=${ARG_PLATFORM})
    if(WIN32)
      # wine hands no QT_ variable to a Windows program, but a WINEQT_ one under the QT_ name. Qt's
      # messages go to the debugger there unless told to use stderr.
      brixel_import_platform_plugins(${name})
      set(platform "WINE${platform};WINEQT_FORCE_STDERR_LOGGING=1")
    endif()
    set_tests_properties(${name} PROPERTIES
      ENVIRONMENT "${platform};BRIXEL_SCREENSHOT_DIR=${CMAKE_BINARY_DIR}/screenshots;BRIXEL_BUILD_DIR=${CMAKE_BINARY_DIR}"
      TIMEOUT 300)
    # "qt": the Qt Test programs, which the sanitizer runs leave out but for the window jobs'.
    if(ARG_PLATFORM STREQUAL "windows")
      set_tests_properties(${name} PROPERTIES LABELS "qt;display")
    else()
      set_tests_properties(${name} PROPERTIES LABELS qt)
    endif()
  else()
    set_property(GLOBAL APPEND PROPERTY BRIXEL_CORE_TESTS ${name})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} brixel_test_support GTest::gtest ${BRIXEL_GTEST_MAIN})
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
      PROPERTIES ENVIRONMENT "BRIXEL_BUILD_DIR=${CMAKE_BINARY_DIR}")
  endif()
endfunction()
