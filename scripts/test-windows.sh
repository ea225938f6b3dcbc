#!/usr/bin/env bash
# The Windows leg of ./test: cross-builds the core, brixel-list and their tests for 64-bit Windows
# with mingw-w64 into build-windows/, and runs every test under wine in a fresh, throw-away wine
# prefix. Exits non-zero when anything fails. Nothing is timed here: wine is not Windows.
set -euo pipefail
source "$(dirname "$0")/common.sh"

WIN_BUILD=${BRIXEL_WINDOWS_BUILD:-$BRIXEL_ROOT/build-windows}
TOOLCHAIN=$BRIXEL_ROOT/cmake/mingw-w64-x86_64.cmake
DEPS=$WIN_BUILD/deps
XLSX_PREFIX=$DEPS/xlsxwriter

ensure_packages cmake ninja-build googletest "${WINDOWS_PACKAGES[@]}"

# libxlsxwriter for Windows, built from Debian's source package (no Windows build is packaged).
# Two patches, applied to the unpacked copy only: the wide Win32 file calls (UTF-8 names, as on
# Linux) instead of ANSI fopen under MinGW, and the Win32 file layer of its zip code that they need.
build_xlsxwriter() {
  [ -f "$XLSX_PREFIX/lib/libxlsxwriter.a" ] && return 0
  local src
  rm -rf "$DEPS/src" "$DEPS/xlsxwriter-build"
  src=$(fetch_debian_source libxlsxwriter "$DEPS/src") || return 1
  sed -i 's|^#undef _WIN32$|/* _WIN32 kept: wide file calls */|' "$src/src/packager.c" "$src/src/utility.c" || return 1
  perl -0pi -e 's/if\(MSVC\)(\s*list\(APPEND LXW_SOURCES third_party\/minizip\/iowin32\.c\))/if(WIN32)$1/' \
    "$src/CMakeLists.txt" || return 1
  cmake -S "$src" -B "$DEPS/xlsxwriter-build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" \
    -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF -DUSE_DTOA_LIBRARY=ON -DZLIB_USE_STATIC_LIBS=ON \
    -DCMAKE_INSTALL_PREFIX="$XLSX_PREFIX" >/dev/null || return 1
  cmake --build "$DEPS/xlsxwriter-build" -j "$(nproc)" >/dev/null || return 1
  cmake --install "$DEPS/xlsxwriter-build" >/dev/null || return 1
  rm -rf "$DEPS/src" "$DEPS/xlsxwriter-build"
}

xlsx_prefix=$XLSX_PREFIX
if ! build_xlsxwriter; then
  echo "test-windows: libxlsxwriter could not be built; .xlsx is left out of this build" >&2
  xlsx_prefix=""
fi

# A fresh wine prefix, made while the compiler runs: headless, quiet, no Mono or Gecko, no
# debugger that could turn a crash into exit code 0, the locale pinned (en-US, code page 1252).
wine_home=$(mktemp -d)
export WINEPREFIX=$wine_home/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d" LANG=C.UTF-8
unset LC_ALL LC_CTYPE LC_COLLATE LC_NUMERIC LC_MESSAGES DISPLAY WAYLAND_DISPLAY
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  rm -rf "$wine_home"
}
trap cleanup EXIT
(wineboot -i && wineserver -w) </dev/null >/dev/null 2>&1 &
wine_boot=$!

# With the Linux brixel-list of ./test at hand, the two are compared on the same names.
native_list=""
[ -x "$BRIXEL_BUILD/brixel-list" ] && native_list=$BRIXEL_BUILD/brixel-list
cmake -S "$BRIXEL_ROOT" -B "$WIN_BUILD" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DCMAKE_BUILD_TYPE=Release \
  -DBRIXEL_BUILD_TESTS=ON -DBRIXEL_WERROR=ON -DBRIXEL_BUILD_WINDOWS=OFF -DBRIXEL_BUILD_BENCH=OFF -DBRIXEL_WINDOWS_DEPS="$xlsx_prefix" \
  -DBRIXEL_NATIVE_LIST="$native_list" >/dev/null
cmake --build "$WIN_BUILD" -j "$(nproc)"

wait "$wine_boot" || echo "test-windows: wineboot reported a failure; the tests will tell" >&2
# Keep one wineserver up for the whole run: each test program then starts in milliseconds.
wineserver -p </dev/null >/dev/null 2>&1
wine wineboot </dev/null >/dev/null 2>&1

ctest --test-dir "$WIN_BUILD" --output-on-failure --timeout 300 -j "$(nproc)"
