#!/usr/bin/env bash
# Builds a small static Qt 6 for 64-bit Windows (mingw-w64, posix threads) from Debian's own
# qt6-base source, once per machine: Debian ships no Qt for Windows, and the windows need one.
# Debian's Linux Qt of the same version supplies the host tools (moc, rcc, uic).
#
# The result goes to a cache folder outside the work tree, named after the source version and a
# hash of how it is built; a later run with the same name finds it and builds nothing, and a
# change of options gets a folder of its own. The last line printed is always the Qt prefix.
#
#   scripts/build-qt-windows.sh                  build when missing; print the prefix
#   scripts/build-qt-windows.sh --print-prefix   print the prefix; exit 1 when it is not built yet
#   scripts/build-qt-windows.sh --configure-only configure in a temporary folder and stop: a
#                                                minute to check a change of options
#
# BRIXEL_CACHE (default /var/cache/brixel) is where the prefixes and the compiler cache live.
set -euo pipefail
source "$(dirname "$0")/common.sh"

mode=build
case "${1:-}" in
  "") ;;
  --print-prefix) mode=print ;;
  --configure-only) mode=configure ;;
  *) echo "usage: scripts/build-qt-windows.sh [--print-prefix | --configure-only]" >&2; exit 2 ;;
esac

CACHE_ROOT=${BRIXEL_CACHE:-/var/cache/brixel}
TOOLCHAIN=$BRIXEL_ROOT/cmake/mingw-w64-x86_64.cmake

fail() {
  echo "build-qt-windows: $*" >&2
  exit 1
}

# What the windows, their tests and the benchmark use, and no more: every module and feature left
# out here is build time saved. Core, Gui, Widgets and Test are built, with the windows and
# offscreen platform plugins. Each OFF was checked to configure and build with the others.
qt_options() {
  local opts=(
    -DBUILD_SHARED_LIBS=OFF -DCMAKE_BUILD_TYPE=Release -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF
    # Modules the program has no use for.
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF
    -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF
    # No OpenGL; dynamicgl must go with it, or the windows plugin fails to compile (6.4.2).
    -DFEATURE_opengl=OFF -DFEATURE_dynamicgl=OFF
    # Debian's source leaves out wintab.h (not free), which tablet support in the windows plugin needs.
    -DFEATURE_tabletevent=OFF
    # Third-party code from Qt's own tree: Debian has none of it for Windows.
    -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_png=OFF
    -DFEATURE_system_harfbuzz=OFF -DFEATURE_freetype=ON -DFEATURE_system_freetype=OFF
    -DFEATURE_system_doubleconversion=OFF -DFEATURE_jpeg=OFF -DFEATURE_icu=OFF
    -DFEATURE_vulkan=OFF
    # No Direct2D paint engine. Without it 6.4.2 leaves the DirectWrite font database out of Gui,
    # yet the windows plugin still names it: DirectWrite 3 goes too (GDI's font database stays the
    # default, and it draws through DirectWrite all the same).
    -DFEATURE_direct2d=OFF -DFEATURE_directwrite3=OFF
    # Widgets, dialogs and documents the windows do not use. The file dialog stays, with what its
    # non-native form needs (file system model, tree and list views, completer).
    -DFEATURE_graphicsview=OFF -DFEATURE_graphicseffect=OFF -DFEATURE_mdiarea=OFF
    -DFEATURE_dockwidget=OFF -DFEATURE_calendarwidget=OFF -DFEATURE_datetimeedit=OFF
    -DFEATURE_lcdnumber=OFF -DFEATURE_dial=OFF -DFEATURE_splashscreen=OFF -DFEATURE_wizard=OFF
    -DFEATURE_fontdialog=OFF -DFEATURE_fontcombobox=OFF -DFEATURE_colordialog=OFF
    -DFEATURE_errormessage=OFF -DFEATURE_keysequenceedit=OFF -DFEATURE_syntaxhighlighter=OFF
    -DFEATURE_undoview=OFF -DFEATURE_undogroup=OFF -DFEATURE_undostack=OFF -DFEATURE_undocommand=OFF
    -DFEATURE_columnview=OFF -DFEATURE_datawidgetmapper=OFF -DFEATURE_commandlinkbutton=OFF
    -DFEATURE_toolbox=OFF -DFEATURE_pdf=OFF -DFEATURE_textodfwriter=OFF -DFEATURE_systemtrayicon=OFF
    -DFEATURE_textmarkdownreader=OFF -DFEATURE_textmarkdownwriter=OFF -DFEATURE_movie=OFF
  )
  printf '%s\n' "${opts[@]}"
}

# Where Qt's installed toolchain file finds ours: Qt records the path it was configured with, and
# a worktree's path does not outlive the worktree, so the prefix keeps a copy beside Qt's file.
CHAINED_TOOLCHAIN=lib/cmake/Qt6/brixel-mingw-w64-x86_64.cmake
own_toolchain() {
  local qt_file=$1/lib/cmake/Qt6/qt.toolchain.cmake
  cp "$TOOLCHAIN" "$1/$CHAINED_TOOLCHAIN"
  grep -q '^set(__qt_initially_configured_toolchain_file ' "$qt_file" || return 1
  sed -i 's|^set(__qt_initially_configured_toolchain_file .*|set(__qt_initially_configured_toolchain_file "${CMAKE_CURRENT_LIST_DIR}/'"${CHAINED_TOOLCHAIN##*/}"'")|' \
    "$qt_file"
}

# The source is the version of the host Qt: Qt's cross build needs host tools of its own version.
version=$(dpkg-query -W -f='${Version}' qt6-base-dev 2>/dev/null || true)
if [ -z "$version" ] && [ "$mode" != print ]; then
  ensure_packages qt6-base-dev
  version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
fi
[ -n "$version" ] || fail "the host Qt (qt6-base-dev) is not installed"
# The key covers the options and the steps that shape the result (declare -f prints the code
# without its comments, so rewording a comment keeps the cache), and the toolchain file.
key=$( { declare -f qt_options own_toolchain; cat "$TOOLCHAIN"; } | sha256sum | cut -c1-12)
prefix=$CACHE_ROOT/qt-$version-mingw-$key

if [ "$mode" = print ]; then
  echo "$prefix"
  [ -f "$prefix/lib/cmake/Qt6/qt.toolchain.cmake" ]
  exit
fi
if [ "$mode" = build ] && [ -d "$prefix" ]; then
  echo "$prefix"
  exit 0
fi

ensure_packages cmake ninja-build qt6-base-dev "${WINDOWS_PACKAGES[@]}"
mkdir -p "$CACHE_ROOT"

# One build of a key at a time: a second run waits for the first, then finds its result.
exec 9>"$prefix.lock"
if ! flock -n 9; then
  echo "build-qt-windows: another run is building $prefix; waiting for it" >&2
  flock 9
fi
if [ "$mode" = build ] && [ -d "$prefix" ]; then
  echo "$prefix"
  exit 0
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/brixel-qt.XXXXXX")
partial=$prefix.partial
# Whatever stops the run, only a finished prefix keeps the final name.
trap 'rm -rf "$work" "$partial"' EXIT
rm -rf "$partial"

echo "build-qt-windows: fetching the source of qt6-base $version"
src=$(fetch_debian_source "qt6-base=$version" "$work/src") || fail "no Qt source, so no Qt for Windows"

mapfile -t options < <(qt_options)
# ccache cuts a rebuild after a change of options (Core and the third-party code mostly stay the
# same). Paths are taken relative to the temporary folder, whose name changes every run. Qt
# compiles with precompiled headers, which ccache declines unless it may trust their defines and
# times and GCC writes the header's name into its preprocessed output (-fpch-preprocess).
export CCACHE_DIR=$CACHE_ROOT/ccache CCACHE_BASEDIR=$work CCACHE_MAXSIZE=${CCACHE_MAXSIZE:-3G}
export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
echo "build-qt-windows: configuring (about a minute and a half)"
started=$SECONDS
cmake -S "$src" -B "$work/build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_FLAGS=-fpch-preprocess \
  -DCMAKE_INSTALL_PREFIX="$prefix" "${options[@]}" >"$work/configure.log" 2>&1 || {
  tail -n 40 "$work/configure.log" >&2
  fail "configuring Qt failed"
}
if [ "$mode" = configure ]; then
  echo "build-qt-windows: configured in $((SECONDS - started)) s; the summary:"
  sed -n '/Configure summary/,$p' "$work/configure.log"
  exit 0
fi

# Ninja prints one line per step ("[412/1054] Building CXX object …"): the build takes about an
# hour on two cores, and those lines show that it moves.
echo "build-qt-windows: building (about an hour on two cores)"
cmake --build "$work/build" -j "$(nproc)" || fail "building Qt failed (see the errors above)"
cmake --install "$work/build" --prefix "$partial" >/dev/null || fail "installing Qt failed"
own_toolchain "$partial" || fail "Qt's toolchain file has no line naming the original toolchain"
mv "$partial" "$prefix"
echo "build-qt-windows: Qt for Windows built in $(((SECONDS - started) / 60)) min; $(du -sh "$prefix" | cut -f1)"
echo "$prefix"
