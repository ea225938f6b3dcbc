#!/usr/bin/env bash
# same_lists_as_linux.sh NATIVE_LIST WINDOWS_EXE
# The Windows brixel-list must write the same bytes as the Linux one for names on which the two
# platforms agree (no "ß", whose upper case differs; the root collation on Linux sorts Latin before
# Cyrillic as Windows does). Workbooks: .xls byte for byte, .xlsx member by member except its
# creation time. Runs the .exe under wine, and Debian's python3 for the .xlsx members.
set -euo pipefail
native=$1
windows=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
tree=$work/tree
mkdir -p "$tree/sub/deeper"
for name in track1.mp3 track2.mp3 track10.mp3 Track3.MP3 песня_один.mp3 Ёлка.wav ель.wav жук.WAV a_b.wav \
  10.mp3 9.mp3 2.5.mp3 notes.txt 日本.mp3 café.mp3 sub/x_y.mp3 sub/deeper/Яма.wav "sub/with space.mp3"; do
  : >"$tree/$name"
done

failed=0
compare() {  # compare WHAT FILE_A FILE_B
  if ! cmp -s "$2" "$3"; then
    echo "differs from the Linux build: $1" >&2
    failed=1
  fi
}

cd "$work"
for options in "-r" "-r --upper -n --digits 3 --start 98" "-r --first-capital --underscores --no-ext" \
  "-m *.wav;*.MP3 --lower" "-r --encoding cp1251"; do
  # shellcheck disable=SC2086
  LC_ALL=C.UTF-8 "$native" $options tree >linux.out
  # shellcheck disable=SC2086
  wine "$windows" $options tree >windows.out
  compare "stdout of $options" linux.out windows.out
done
# Scan order follows each system's own order of folder entries: the same names, maybe not in the same order.
LC_ALL=C.UTF-8 "$native" -r --order scan tree | sort >linux.out
wine "$windows" -r --order scan tree | sort >windows.out
compare "the names found in scan order" linux.out windows.out
for format in txt html xls xlsx; do
  LC_ALL=C.UTF-8 "$native" -r -n --digits 2 -f "$format" -o "linux.$format" tree
  if ! wine "$windows" -r -n --digits 2 -f "$format" -o "windows.$format" tree 2>windows.err; then
    if [ "$format" = xlsx ] && grep -qi xlsx windows.err; then
      echo "not compared: this Windows build has no .xlsx" >&2
      continue
    fi
    cat windows.err >&2
    failed=1
    continue
  fi
  if [ "$format" = xlsx ]; then
    if ! python3 - linux.xlsx windows.xlsx <<'PY'; then
import sys, zipfile
a, b = (zipfile.ZipFile(p) for p in sys.argv[1:3])
names = sorted(set(a.namelist()) | set(b.namelist()))
bad = [n for n in names if n != "docProps/core.xml" and (n not in a.namelist() or n not in b.namelist() or a.read(n) != b.read(n))]
if bad:
    print("xlsx members that differ:", *bad, file=sys.stderr)
sys.exit(1 if bad else 0)
PY
      echo "differs from the Linux build: the xlsx list" >&2
      failed=1
    fi
  else
    compare "the $format list" "linux.$format" "windows.$format"
  fi
done
exit "$failed"
