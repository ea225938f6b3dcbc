# Settings of the Windows cross build (mingw-w64, see mingw-w64-x86_64.cmake). Debian has no Qt for
# Windows, so only the core, the command-line lister and their tests are built.
set(BRIXEL_BUILD_WINDOWS OFF CACHE BOOL "Build the desktop windows (needs Qt 6)" FORCE)
set(BRIXEL_BUILD_WINDOWS OFF)
set(BRIXEL_BUILD_BENCH OFF CACHE BOOL "Build the benchmarks" FORCE)
set(BRIXEL_BUILD_BENCH OFF)

# Windows 10 APIs; no min/max macros to break std::min and std::max.
add_compile_definitions(_WIN32_WINNT=0x0A00 WINVER=0x0A00 NOMINMAX WIN32_LEAN_AND_MEAN)
# One self-contained .exe each: no libstdc++, libgcc or winpthread DLLs to ship beside it.
add_link_options(-static)
# Static archives only, also where a library names its dependencies itself (libxlsxwriter's "-lz").
set(CMAKE_FIND_LIBRARY_SUFFIXES .a)

# Libraries built for this leg (scripts/test-windows.sh puts libxlsxwriter here). pkg-config must
# see only them: the Linux .pc files describe libraries a Windows program cannot link.
set(BRIXEL_WINDOWS_DEPS "" CACHE PATH "Prefix of the libraries built for Windows (libxlsxwriter)")
if(BRIXEL_WINDOWS_DEPS)
  set(ENV{PKG_CONFIG_LIBDIR} "${BRIXEL_WINDOWS_DEPS}/lib/pkgconfig")
else()
  set(ENV{PKG_CONFIG_LIBDIR} "${CMAKE_BINARY_DIR}/no-pkgconfig")
endif()
set(ENV{PKG_CONFIG_PATH} "")
