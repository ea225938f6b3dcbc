# Settings of the Windows cross build (mingw-w64, see mingw-w64-x86_64.cmake). The windows are
# built with the static Qt of scripts/build-qt-windows.sh; benchmarks are not built (nothing is
# timed under wine).
set(BRIXEL_BUILD_BENCH OFF CACHE BOOL "Build the benchmarks" FORCE)
set(BRIXEL_BUILD_BENCH OFF)

# Windows 10 APIs; no min/max macros to break std::min and std::max.
add_compile_definitions(_WIN32_WINNT=0x0A00 WINVER=0x0A00 NOMINMAX WIN32_LEAN_AND_MEAN)
# std::binary_semaphore on winpthreads' semaphores. GCC 12's own, built on its waits on atomics,
# loses wake-ups where there is no futex: a stop request that ran a thread's stop callback while
# that thread left its wait (a cancel while a scan or the key thread waits) could leave the
# thread stuck in the callback's end for ever. Every file of the build must agree on it.
add_compile_definitions(_GLIBCXX_USE_POSIX_SEMAPHORE=1)
# One self-contained .exe each: no libstdc++, libgcc or winpthread DLLs to ship beside it.
add_link_options(-static)

# brixel_windows_program(TARGET ICON <file.ico> DESCRIPTION <text> VERSION <a.b.c>): a window
# program: no console window beside it, the icon Explorer shows, its version in the file's
# properties, and the platform plugins linked in (a static Qt has no plugin folder): windows for
# the desktop, offscreen for the tests.
function(brixel_windows_program target)
  cmake_parse_arguments(ARG "" "ICON;DESCRIPTION;VERSION" "" ${ARGN})
  set_target_properties(${target} PROPERTIES WIN32_EXECUTABLE ON)
  string(REPLACE "." "," version_commas ${ARG_VERSION})
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
  # The resource script is UTF-8: the description is Russian, as the window is.
  file(CONFIGURE OUTPUT ${rc} @ONLY CONTENT [=[
#pragma code_page(65001)
#include <winver.h>
1 ICON "@ARG_ICON@"
VS_VERSION_INFO VERSIONINFO
FILEVERSION @version_commas@,0
PRODUCTVERSION @version_commas@,0
FILEOS VOS_NT_WINDOWS32
FILETYPE VFT_APP
BEGIN
  BLOCK "StringFileInfo"
  BEGIN
    BLOCK "041904B0"
    BEGIN
      VALUE "FileDescription", "@ARG_DESCRIPTION@"
      VALUE "FileVersion", "@ARG_VERSION@"
      VALUE "ProductName", "@target@"
      VALUE "ProductVersion", "@ARG_VERSION@"
      VALUE "OriginalFilename", "@target@.exe"
    END
  END
  BLOCK "VarFileInfo"
  BEGIN
    VALUE "Translation", 0x0419, 1200
  END
END
]=])
  target_sources(${target} PRIVATE ${rc})
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS ${ARG_ICON})
  if(TARGET brixel_windows_icon)
    add_dependencies(${target} brixel_windows_icon)
  endif()
  brixel_import_platform_plugins(${target})
endfunction()

function(brixel_import_platform_plugins target)
  qt_import_plugins(${target} INCLUDE Qt6::QWindowsIntegrationPlugin Qt6::QOffscreenIntegrationPlugin)
endfunction()
# Static archives only, also where a library names its dependencies itself (libxlsxwriter's "-lz").
set(CMAKE_FIND_LIBRARY_SUFFIXES .a)

# Libraries built for this leg (scripts/test-windows.sh puts libxlsxwriter here). pkg-config must
# see only them: the Linux .pc files describe libraries a Windows program cannot link.
set(BRIXEL_WINDOWS_DEPS "" CACHE PATH "Prefix of the libraries built for Windows (libxlsxwriter, TagLib)")
if(BRIXEL_WINDOWS_DEPS)
  set(ENV{PKG_CONFIG_LIBDIR} "${BRIXEL_WINDOWS_DEPS}/lib/pkgconfig")
else()
  set(ENV{PKG_CONFIG_LIBDIR} "${CMAKE_BINARY_DIR}/no-pkgconfig")
endif()
set(ENV{PKG_CONFIG_PATH} "")
