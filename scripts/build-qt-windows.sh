#!/usr/bin/env bash
# Builds a small static Qt 6 for 64-bit Windows (mingw-w64, posix threads) from Debian's own
# qt6-base source, once per machine: Debian ships no Qt for Windows, and the windows need one.
# Debian's Linux Qt of the same version supplies the host tools (moc, rcc, uic).
#
# The result goes to a cache folder outside the work tree, named after the source version and a
# hash of how it is built (the key); a later run with the same name finds it and builds nothing,
# and a change of options gets a folder of its own. The last line printed is always the Qt prefix.
#
#   scripts/build-qt-windows.sh                  find, unpack or build; print the prefix
#   scripts/build-qt-windows.sh --no-build       find or unpack, never build; exit 1 (saying why)
#                                                when neither gives a Qt for Windows
#   scripts/build-qt-windows.sh --print-prefix   print the prefix; exit 1 when it is not there yet
#   scripts/build-qt-windows.sh --configure-only configure in a temporary folder and stop: a
#                                                minute to check a change of options; prints Qt's
#                                                summary and the build's steps by kind
#   scripts/build-qt-windows.sh --archive FILE   pack the finished prefix into FILE (.tar.xz), or,
#                                                FILE being a folder, into qt-<version>-mingw-<key>.tar.xz
#                                                there
#
# BRIXEL_QT_ARCHIVE names such an archive (or a folder holding them): when the prefix is missing,
# it is unpacked instead of building, once it has shown to be whole and of today's key; any other
# archive, a damaged one or a missing one is named in one line and the build goes on without it.
# BRIXEL_CACHE (default /var/cache/brixel) is where the prefixes and the compiler cache live. A
# built prefix keeps its build's step times and Qt's configure summary in build-record/.
set -euo pipefail
source "$(dirname "$0")/common.sh"

mode=build
archive_out=""
case "${1:-}" in
  "") ;;
  --no-build) mode=no-build ;;
  --print-prefix) mode=print ;;
  --configure-only) mode=configure ;;
  --archive)
    mode=archive
    archive_out=${2:-}
    [ -n "$archive_out" ] || { echo "usage: scripts/build-qt-windows.sh --archive FILE" >&2; exit 2; }
    ;;
  *)
    echo "usage: scripts/build-qt-windows.sh [--no-build | --print-prefix | --configure-only | --archive FILE]" >&2
    exit 2
    ;;
esac

CACHE_ROOT=${BRIXEL_CACHE:-/var/cache/brixel}
TOOLCHAIN=$BRIXEL_ROOT/cmake/mingw-w64-x86_64.cmake

fail() {
  echo "build-qt-windows: $*" >&2
  exit 1
}

# What the windows and their tests use, and no more: every module, feature, plugin and third-party
# library left out here is build time saved (the build's .ninja_log shows where it goes: Gui, Core
# and Widgets, then HarfBuzz and the windows plugin). Core, Gui, Widgets and Test are built, with
# the windows and offscreen platform plugins. Each OFF was checked to configure and build with the
# others, and the window tests to pass on the result.
qt_options() {
  local opts=(
    -DBUILD_SHARED_LIBS=OFF -DCMAKE_BUILD_TYPE=Release -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF
    # -Os everywhere: GCC spends a quarter to a third less time on a file than at Core's and Gui's
    # -O3 (and Widgets' -O2), and the static programs come out smaller; the windows draw a few
    # hundred names at a time, which no optimisation level makes noticeable.
    -DFEATURE_optimize_size=ON
    # Modules the program has no use for.
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF
    -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF
    # No OpenGL; dynamicgl must go with it, or the windows plugin fails to compile (6.4.2).
    -DFEATURE_opengl=OFF -DFEATURE_dynamicgl=OFF
    # Debian's source leaves out wintab.h (not free), which tablet support in the windows plugin needs.
    -DFEATURE_tabletevent=OFF
    # Third-party code from Qt's own tree: Debian has none of it for Windows. HarfBuzz stays: file
    # names in scripts that join or reorder their letters (Arabic, Indic) need shaping; FreeType
    # stays for the offscreen platform, which draws with it on Windows.
    -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_png=OFF
    -DFEATURE_system_harfbuzz=OFF -DFEATURE_freetype=ON -DFEATURE_system_freetype=OFF
    -DFEATURE_system_doubleconversion=OFF -DFEATURE_jpeg=OFF -DFEATURE_icu=OFF
    -DFEATURE_vulkan=OFF
    # No Direct2D paint engine. Without it 6.4.2 leaves the DirectWrite font database out of Gui,
    # yet the windows plugin still names it: DirectWrite 3 goes too (GDI's font database stays the
    # default, and it draws through DirectWrite all the same).
    -DFEATURE_direct2d=OFF -DFEATURE_directwrite3=OFF
    # Plugins nothing loads: the windows draw in their own style on Fusion (so neither the Windows
    # nor the Windows Vista style, nor style sheets, which stand on the Windows style), and their
    # pictures are PNG and recorded paintings (no GIF or ICO reader).
    -DFEATURE_style_windows=OFF -DFEATURE_style_windowsvista=OFF -DFEATURE_style_stylesheet=OFF
    -DFEATURE_gif=OFF -DFEATURE_ico=OFF
    # Core services the windows do not call: MIME types (and the XML reader of their database),
    # time zones, other calendars, processes, shared memory, command lines, animations.
    -DFEATURE_mimetype=OFF -DFEATURE_xmlstream=OFF -DFEATURE_timezone=OFF -DFEATURE_hijricalendar=OFF
    -DFEATURE_jalalicalendar=OFF -DFEATURE_process=OFF -DFEATURE_sharedmemory=OFF
    -DFEATURE_systemsemaphore=OFF -DFEATURE_commandlineparser=OFF -DFEATURE_animation=OFF
    -DFEATURE_gestures=OFF -DFEATURE_sessionmanager=OFF -DFEATURE_whatsthis=OFF
    -DFEATURE_transposeproxymodel=OFF -DFEATURE_concatenatetablesproxymodel=OFF
    # Widgets, dialogs and documents the windows do not use. The file dialog stays, with what its
    # non-native form needs (file system model, tree and list views, completer, splitter, tool
    # buttons), and so do message boxes, menus (the line edits' context menu) and tool tips. Main
    # windows, tool bars and menu bars stay too: 6.4.2's Widgets compiles their removed API always.
    -DFEATURE_graphicsview=OFF -DFEATURE_graphicseffect=OFF -DFEATURE_mdiarea=OFF
    -DFEATURE_dockwidget=OFF -DFEATURE_calendarwidget=OFF -DFEATURE_datetimeedit=OFF
    -DFEATURE_lcdnumber=OFF -DFEATURE_dial=OFF -DFEATURE_splashscreen=OFF -DFEATURE_wizard=OFF
    -DFEATURE_fontdialog=OFF -DFEATURE_fontcombobox=OFF -DFEATURE_colordialog=OFF
    -DFEATURE_errormessage=OFF -DFEATURE_keysequenceedit=OFF -DFEATURE_syntaxhighlighter=OFF
    -DFEATURE_undoview=OFF -DFEATURE_undogroup=OFF -DFEATURE_undostack=OFF -DFEATURE_undocommand=OFF
    -DFEATURE_columnview=OFF -DFEATURE_datawidgetmapper=OFF -DFEATURE_commandlinkbutton=OFF
    -DFEATURE_toolbox=OFF -DFEATURE_pdf=OFF -DFEATURE_textodfwriter=OFF -DFEATURE_systemtrayicon=OFF
    -DFEATURE_textmarkdownreader=OFF -DFEATURE_textmarkdownwriter=OFF -DFEATURE_movie=OFF
    -DFEATURE_statusbar=OFF
    -DFEATURE_tabwidget=OFF -DFEATURE_tabbar=OFF -DFEATURE_textedit=OFF -DFEATURE_textbrowser=OFF
    -DFEATURE_inputdialog=OFF -DFEATURE_progressdialog=OFF -DFEATURE_progressbar=OFF
    -DFEATURE_spinbox=OFF -DFEATURE_treewidget=OFF -DFEATURE_listwidget=OFF -DFEATURE_tablewidget=OFF
    -DFEATURE_scroller=OFF -DFEATURE_effects=OFF
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

name=${prefix##*/}

if [ "$mode" = print ]; then
  echo "$prefix"
  [ -f "$prefix/lib/cmake/Qt6/qt.toolchain.cmake" ]
  exit
fi

if [ "$mode" = archive ]; then
  [ -f "$prefix/lib/cmake/Qt6/qt.toolchain.cmake" ] || fail "there is no finished $prefix to pack"
  [ -d "$archive_out" ] && archive_out=${archive_out%/}/$name.tar.xz
  echo "build-qt-windows: packing $prefix into $archive_out"
  XZ_OPT="-6 -T0" tar -C "$CACHE_ROOT" --owner=0 --group=0 --numeric-owner -cJf "$archive_out.partial" "$name" ||
    { rm -f "$archive_out.partial"; fail "packing failed"; }
  mv "$archive_out.partial" "$archive_out"
  echo "build-qt-windows: $(du -h "$archive_out" | cut -f1) in $archive_out"
  exit 0
fi

# unpack_archive: the prefix from BRIXEL_QT_ARCHIVE, when that names a whole archive of this key;
# otherwise one line on why not, and a failure.
unpack_archive() {
  local archive=${BRIXEL_QT_ARCHIVE:-} top partial=$prefix.partial
  [ -n "$archive" ] || return 1
  if [ -d "$archive" ]; then
    if [ ! -f "$archive/$name.tar.xz" ]; then
      echo "build-qt-windows: no $name.tar.xz in $archive ($(cd "$archive" && ls qt-*.tar.xz 2>/dev/null | tr '\n' ' ' || true)); not using it" >&2
      return 1
    fi
    archive=$archive/$name.tar.xz
  fi
  if [ ! -f "$archive" ]; then
    echo "build-qt-windows: the archive $archive does not exist; not using it" >&2
    return 1
  fi
  if ! xz -t "$archive" 2>/dev/null; then
    echo "build-qt-windows: the archive $archive is damaged (xz -t fails); not using it" >&2
    return 1
  fi
  top=$(tar -tJf "$archive" 2>/dev/null | head -n 1) || true
  top=${top%%/*}
  if [ "$top" != "$name" ]; then
    echo "build-qt-windows: the archive $archive holds ${top:-nothing}, not $name (another Qt version or other options); not using it" >&2
    return 1
  fi
  echo "build-qt-windows: unpacking $archive"
  rm -rf "$partial" "$partial.unpack"
  mkdir -p "$partial.unpack"
  if ! tar -C "$partial.unpack" -xJf "$archive" "$name" ||
    [ ! -f "$partial.unpack/$name/lib/cmake/Qt6/qt.toolchain.cmake" ]; then
    rm -rf "$partial.unpack"
    echo "build-qt-windows: the archive $archive did not unpack into a Qt prefix; not using it" >&2
    return 1
  fi
  mv "$partial.unpack/$name" "$prefix"
  rm -rf "$partial.unpack"
}

if [ -d "$prefix" ]; then
  echo "$prefix"
  exit 0
fi
[ "$mode" = configure ] || ensure_packages xz-utils
mkdir -p "$CACHE_ROOT"

# One build or unpacking of a key at a time: a second run waits for the first, then finds its result.
exec 9>"$prefix.lock"
if ! flock -n 9; then
  echo "build-qt-windows: another run is making $prefix; waiting for it" >&2
  flock 9
fi
if [ "$mode" != configure ]; then
  if [ -d "$prefix" ] || unpack_archive; then
    echo "$prefix"
    exit 0
  fi
  if [ "$mode" = no-build ]; then
    echo "build-qt-windows: $name is neither in $CACHE_ROOT nor in an archive at hand" >&2
    exit 1
  fi
fi

ensure_packages cmake ninja-build qt6-base-dev "${WINDOWS_PACKAGES[@]}"
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
  echo "build-qt-windows: $(ninja -C "$work/build" -t commands all | wc -l) steps; compiled files by target:"
  ninja -C "$work/build" -t commands all | grep -oE ' -o [^ ]+\.obj' |
    sed -E 's|.*CMakeFiles/([^/]+)\.dir/.*|\1|' | sort | uniq -c | sort -rn
  exit 0
fi

# Ninja prints one line per step ("[412/845] Building CXX object …"): the build takes most of an
# hour on two cores, and those lines show that it moves.
echo "build-qt-windows: building (most of an hour on two cores)"
cmake --build "$work/build" -j "$(nproc)" || fail "building Qt failed (see the errors above)"
cmake --install "$work/build" --prefix "$partial" >/dev/null || fail "installing Qt failed"
own_toolchain "$partial" || fail "Qt's toolchain file has no line naming the original toolchain"
mkdir -p "$partial/build-record"
cp "$work/build/.ninja_log" "$partial/build-record/ninja_log"
sed -n '/Configure summary/,$p' "$work/configure.log" >"$partial/build-record/configure-summary.txt"
mv "$partial" "$prefix"
echo "build-qt-windows: Qt for Windows built in $(((SECONDS - started) / 60)) min; $(du -sh "$prefix" | cut -f1); where the time went:"
"$BRIXEL_ROOT/scripts/qt-build-steps.sh" "$prefix/build-record/ninja_log"
echo "$prefix"
