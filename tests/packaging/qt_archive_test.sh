#!/usr/bin/env bash
# The archive of a Qt for Windows (scripts/build-qt-windows.sh --archive) and its way back into a
# cache through BRIXEL_QT_ARCHIVE, on a stand-in prefix of a few bytes: an archive of today's key,
# named as a file or found in a folder, is unpacked whole; one of another key, a damaged one and a
# missing one are each refused in one line, and the cache is left without a prefix.
# Usage: qt_archive_test.sh SOURCE_ROOT
set -euo pipefail
script=$1/scripts/build-qt-windows.sh
source "$(dirname "$0")/scratch_and_fail.sh"

export BRIXEL_CACHE=$tmp/built
prefix=$("$script" --print-prefix || true)
name=${prefix##*/}
mkdir -p "$prefix/lib/cmake/Qt6" "$tmp/archives"
echo 'set(QT_STAND_IN ON)' >"$prefix/lib/cmake/Qt6/qt.toolchain.cmake"
"$script" --archive "$tmp/archives/" >/dev/null 2>&1 || fail "--archive into a folder"
archive=$tmp/archives/$name.tar.xz
[ -f "$archive" ] || fail "--archive made no $name.tar.xz: $(ls "$tmp/archives")"
"$script" --archive "$tmp/archives/named.tar.xz" >/dev/null 2>&1 || fail "--archive into a named file"

# unpack CACHE ARCHIVE: --no-build with BRIXEL_QT_ARCHIVE=ARCHIVE into the cache CACHE; its
# messages in $tmp/err.
unpack() {
  BRIXEL_CACHE=$1 BRIXEL_QT_ARCHIVE=$2 "$script" --no-build >"$tmp/out" 2>"$tmp/err"
}

for given in "$tmp/archives" "$tmp/archives/named.tar.xz"; do
  rm -rf "$tmp/cache"
  unpack "$tmp/cache" "$given" || fail "$given was not unpacked: $(cat "$tmp/err")"
  [ "$(tail -n 1 "$tmp/out")" = "$tmp/cache/$name" ] || fail "the prefix printed: $(cat "$tmp/out")"
  cmp -s "$prefix/lib/cmake/Qt6/qt.toolchain.cmake" "$tmp/cache/$name/lib/cmake/Qt6/qt.toolchain.cmake" ||
    fail "$given unpacked into: $(find "$tmp/cache")"
done

# An archive of other options: the same tree under another key's name.
mv "$prefix" "$tmp/built/qt-0-mingw-000000000000"
tar -C "$tmp/built" -cJf "$tmp/other.tar.xz" qt-0-mingw-000000000000
head -c 100 "$archive" >"$tmp/cut.tar.xz"
for case in "other.tar.xz:not $name" "cut.tar.xz:is damaged" "missing.tar.xz:does not exist"; do
  rm -rf "$tmp/cache"
  unpack "$tmp/cache" "$tmp/${case%%:*}" && fail "${case%%:*} was taken"
  reason=$(grep -c "${case#*:}" "$tmp/err" || true)
  [ "$reason" = 1 ] || fail "${case%%:*}: no one line saying \"${case#*:}\": $(cat "$tmp/err")"
  [ ! -e "$tmp/cache/$name" ] && [ -z "$(find "$tmp/cache" -name '*.partial*')" ] ||
    fail "${case%%:*} left in the cache: $(find "$tmp/cache")"
done
