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
