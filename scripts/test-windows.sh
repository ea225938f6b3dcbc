#!/usr/bin/env bash
# The Windows leg of ./test: cross-builds for 64-bit Windows with mingw-w64 into build-windows/ and
# runs the tests under wine in a fresh, throw-away wine prefix. Nothing is timed here: wine is not
# Windows.
#
#   scripts/test-windows.sh          the core and brixel-list with their tests; the windows too when
#                                    a Qt for Windows is at hand (in the cache, or unpacked from
#                                    BRIXEL_QT_ARCHIVE), else one line says they are left out
#   scripts/test-windows.sh --gui    the windows always, building Qt for Windows when none is at hand
#                                    (most of an hour on two cores); a Qt that cannot be had fails
#   scripts/test-windows.sh --no-gui the core and brixel-list alone
#
# The windows' tests run on Qt's offscreen platform, their smoke tests on the windows platform on a
# virtual display, leaving screenshots in build-windows/screenshots/; the zip and the setup program
# are made in build-windows/ and tested there. Exits non-zero when anything fails.
set -euo pipefail
source "$(dirname "$0")/common.sh"

gui=auto
case "${1:-}" in
  "") ;;
  --gui) gui=on ;;
  --no-gui) gui=off ;;
  *) echo "usage: scripts/test-windows.sh [--gui | --no-gui]" >&2; exit 2 ;;
esac

WIN_BUILD=${BRIXEL_WINDOWS_BUILD:-$BRIXEL_ROOT/build-windows}
TOOLCHAIN=$BRIXEL_ROOT/cmake/mingw-w64-x86_64.cmake
DEPS=$WIN_BUILD/deps
DEPS_PREFIX=$DEPS/prefix  # the libraries built for Windows: libxlsxwriter, TagLib

ensure_packages "${BUILD_PACKAGES[@]}" googletest "${WINDOWS_PACKAGES[@]}"

# Qt for Windows, for the windows: built once per machine into a cache (most of an hour on two
# cores) or unpacked from an archive of one, and found there later.
toolchain=$TOOLCHAIN
case "$gui" in
  on)
    if ! "$BRIXEL_ROOT/scripts/build-qt-windows.sh"; then
      echo "test-windows: FAILED: there is no Qt for Windows (see above), so the windows cannot be built or tested" >&2
      exit 1
    fi
    ;;
  auto)
    if "$BRIXEL_ROOT/scripts/build-qt-windows.sh" --no-build; then
      gui=on
    else
      echo "test-windows: the windows are left out: no Qt for Windows at hand (./test --windows-gui builds one)" >&2
      gui=off
    fi
    ;;
esac
if [ "$gui" = on ]; then
  toolchain=$("$BRIXEL_ROOT/scripts/build-qt-windows.sh" --print-prefix)/lib/cmake/Qt6/qt.toolchain.cmake
fi

# The artwork tool runs on this machine: the Linux build's, built here when ./test has not.
render_svg=$BRIXEL_BUILD/tools/render_svg
if [ "$gui" = on ] && [ ! -x "$render_svg" ]; then
  [ -f "$BRIXEL_BUILD/CMakeCache.txt" ] || cmake -S "$BRIXEL_ROOT" -B "$BRIXEL_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$BRIXEL_BUILD" --target render_svg
fi

# libxlsxwriter for Windows, built from Debian's source package (no Windows build is packaged).
# Two patches, applied to the unpacked copy only: the wide Win32 file calls (UTF-8 names, as on
# Linux) instead of ANSI fopen under MinGW, and the Win32 file layer of its zip code that they need.
build_xlsxwriter() {
  [ -f "$DEPS_PREFIX/lib/libxlsxwriter.a" ] && return 0
  local src
  rm -rf "$DEPS/src" "$DEPS/xlsxwriter-build"
  src=$(fetch_debian_source libxlsxwriter "$DEPS/src") || return 1
  sed -i 's|^#undef _WIN32$|/* _WIN32 kept: wide file calls */|' "$src/src/packager.c" "$src/src/utility.c" || return 1
  perl -0pi -e 's/if\(MSVC\)(\s*list\(APPEND LXW_SOURCES third_party\/minizip\/iowin32\.c\))/if(WIN32)$1/' \
    "$src/CMakeLists.txt" || return 1
  cmake -S "$src" -B "$DEPS/xlsxwriter-build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" \
    -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF -DUSE_DTOA_LIBRARY=ON -DZLIB_USE_STATIC_LIBS=ON \
    -DCMAKE_INSTALL_PREFIX="$DEPS_PREFIX" >/dev/null || return 1
  cmake --build "$DEPS/xlsxwriter-build" -j "$(nproc)" >/dev/null || return 1
  cmake --install "$DEPS/xlsxwriter-build" >/dev/null || return 1
  rm -rf "$DEPS/src" "$DEPS/xlsxwriter-build"
}

# TagLib for Windows, a static library built from Debian's source package likewise. Debian's
# patches point it at the system's UTF8-CPP headers; the copy in its own 3rdparty/ stands in.
build_taglib() {
  [ -f "$DEPS_PREFIX/lib/libtag.a" ] && return 0
  local src
  rm -rf "$DEPS/src" "$DEPS/taglib-build"
  src=$(fetch_debian_source taglib "$DEPS/src") || return 1
  sed -i 's|#include <utf8/checked.h>|#include <utf8-cpp/checked.h>|' "$src/taglib/toolkit/tstring.cpp" || return 1
  cmake -S "$src" -B "$DEPS/taglib-build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" \
    -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF -DBUILD_BINDINGS=OFF -DBUILD_TESTING=OFF \
    -DBUILD_EXAMPLES=OFF -DWITH_ZLIB=ON -DCMAKE_CXX_FLAGS="-I$src/3rdparty" \
    -DCMAKE_INSTALL_PREFIX="$DEPS_PREFIX" >/dev/null || return 1
  cmake --build "$DEPS/taglib-build" -j "$(nproc)" >/dev/null || return 1
  cmake --install "$DEPS/taglib-build" >/dev/null || return 1
  rm -rf "$DEPS/src" "$DEPS/taglib-build"
}

if ! build_xlsxwriter; then
  echo "test-windows: libxlsxwriter could not be built; .xlsx is left out of this build" >&2
fi
if ! build_taglib; then
  echo "test-windows: TagLib could not be built; audio tags are left out of this build" >&2
fi

# A fresh wine prefix, made while the compiler runs: headless, quiet, no Mono or Gecko, no
# debugger that could turn a crash into exit code 0, the locale pinned (en-US, code page 1252).
# Windows shown on the virtual display are not handed to a window manager (there is none, and
# wine would wait for one at every close).
wine_home=$(mktemp -d)
export WINEPREFIX=$wine_home/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d" LANG=C.UTF-8
unset LC_ALL LC_CTYPE LC_COLLATE LC_NUMERIC LC_MESSAGES DISPLAY WAYLAND_DISPLAY
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  rm -rf "$wine_home"
}
trap cleanup EXIT
(wineboot -i && wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f && wineserver -w) \
  </dev/null >/dev/null 2>&1 &
wine_boot=$!

# With the Linux brixel-list of ./test at hand, the two are compared on the same names.
native_list=""
[ -x "$BRIXEL_BUILD/brixel-list" ] && native_list=$BRIXEL_BUILD/brixel-list
# A build folder made with another toolchain (another Qt, or none) is configured afresh.
if [ -f "$WIN_BUILD/CMakeCache.txt" ] &&
  ! grep -qxF "CMAKE_TOOLCHAIN_FILE:FILEPATH=$toolchain" "$WIN_BUILD/CMakeCache.txt"; then
  rm -rf "$WIN_BUILD/CMakeCache.txt" "$WIN_BUILD/CMakeFiles"
fi
gui_options=(-DBRIXEL_BUILD_GUI=OFF)
[ "$gui" = on ] && gui_options=(-DBRIXEL_BUILD_GUI=ON -DBRIXEL_RENDER_SVG="$render_svg")
cmake -S "$BRIXEL_ROOT" -B "$WIN_BUILD" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
  -DBRIXEL_BUILD_TESTS=ON -DBRIXEL_WERROR=ON -DBRIXEL_BUILD_BENCH=OFF "${gui_options[@]}" \
  -DBRIXEL_WINDOWS_DEPS="$DEPS_PREFIX" -DBRIXEL_NATIVE_LIST="$native_list" >/dev/null
cmake --build "$WIN_BUILD" -j "$(nproc)"
# The downloads, left in the build folder, where their tests take them from.
if [ "$gui" = on ]; then
  rm -f "$WIN_BUILD"/Brixel-*-windows-x64.zip "$WIN_BUILD"/Brixel-*-setup.exe
  (cd "$WIN_BUILD" && cpack >/dev/null) || { echo "test-windows: FAILED: cpack could not make the downloads" >&2; exit 1; }
fi

wait "$wine_boot" || echo "test-windows: wineboot reported a failure; the tests will tell" >&2

# Every test on one virtual display, which the smoke tests need (the others draw offscreen). One
# wineserver stays up for the whole run, started on that display: each test program then starts
# in milliseconds.
rm -rf "$WIN_BUILD/screenshots"
export BRIXEL_WIN_BUILD=$WIN_BUILD
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  wineserver -p </dev/null >/dev/null 2>&1
  wine wineboot </dev/null >/dev/null 2>&1
  ctest --test-dir "$BRIXEL_WIN_BUILD" --output-on-failure --timeout 300 -j "$(nproc)"'

if [ "$gui" = on ]; then
  echo "test-windows: the downloads are $(ls "$WIN_BUILD"/Brixel-*-windows-x64.zip "$WIN_BUILD"/Brixel-*-setup.exe | tr '\n' ' ')"
fi
