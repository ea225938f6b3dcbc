#!/usr/bin/env bash
# The Windows download as cpack makes it from the Windows build: one folder holding the three
# programs (64-bit, needing no DLL beyond the system's), the help pages, the read-me (UTF-8 with
# its mark, CR LF) and the font's licence; and the unpacked programs at work under wine: the lister
# lists, and each window starts on the virtual display, makes the mask file beside itself and
# ends cleanly when Windows asks it to close.
# Usage: windows_zip_test.sh BUILD VERSION   (wine's settings and DISPLAY from the Windows leg)
set -euo pipefail
build=$1 version=$2
source "$(dirname "$0")/scratch_and_fail.sh"

cpack -G ZIP --config "$build/CPackConfig.cmake" -B "$tmp/out" >"$tmp/cpack.txt" 2>&1 ||
  fail "cpack: $(cat "$tmp/cpack.txt")"
name=Brixel-$version-windows-x64
zip=$tmp/out/$name.zip
[ -f "$zip" ] || fail "no $name.zip: $(ls "$tmp/out")"

listed=$(unzip -Z1 "$zip" | grep -v '/$' | sort | tr '\n' ' ')
expected="$name/Brixel.exe $name/BrixelLite.exe $name/README.txt $name/brixel-list.exe $name/help/help.html \
$name/help/helpl.html $name/licenses/DejaVu-LICENSE.txt "
[ "$listed" = "$expected" ] || fail "the zip holds: $listed"
unzip -q "$zip" -d "$tmp/root"
dir=$tmp/root/$name

# Windows programs of their own: GUI for the windows, console for the lister, and only the
# system's DLLs (no Qt, no C++ runtime beside them). The api-ms-win-* names are Windows' own API
# sets (Windows 8 and later; Qt 6 needs Windows 10 anyway).
system_dlls='^(api-ms-win-core-[a-z0-9-]+|kernel32|user32|gdi32|gdiplus|advapi32|shell32|shlwapi|ole32|oleaut32|comdlg32|comctl32|uxtheme|dwmapi|imm32|winmm|ws2_32|version|netapi32|userenv|uuid|mpr|setupapi|shcore|d3d11|d3d9|dxgi|dwrite|authz|msvcrt|rpcrt4|winspool\.drv|crypt32|bcrypt|secur32|wtsapi32|cfgmgr32|ntdll)\.dll$'
for exe in Brixel BrixelLite brixel-list; do
  header=$(x86_64-w64-mingw32-objdump -p "$dir/$exe.exe")
  grep -q 'Magic.*20b' <<<"$header" || fail "$exe.exe is not a 64-bit program"
  subsystem=$(awk '/^Subsystem/ { print $2 }' <<<"$header")
  want=00000002
  [ "$exe" = brixel-list ] && want=00000003
  [ "$subsystem" = "$want" ] || fail "$exe.exe has subsystem $subsystem, not $want"
  while read -r dll; do
    grep -qiE "$system_dlls" <<<"$dll" || fail "$exe.exe needs $dll, which Windows does not have"
  done < <(awk '/DLL Name:/ { print $3 }' <<<"$header")
done

readme=$dir/README.txt
[ "$(head -c 3 "$readme" | od -An -tx1 | tr -d ' ')" = efbbbf ] || fail "README.txt has no UTF-8 mark"
[ "$(grep -c $'\r$' "$readme")" = "$(wc -l <"$readme")" ] || fail "README.txt has lines without CR LF"
grep -q "Бриксел $version" "$readme" || fail "README.txt does not name version $version"

[ "$(wine "$dir/brixel-list.exe" --version | tr -d '\r')" = "brixel-list $version" ] ||
  fail "the unpacked brixel-list.exe --version"

[ -n "${DISPLAY:-}" ] || fail "no display to start the windows on"
for program in Brixel BrixelLite; do
  rm -f "$dir/rasshirenia.txt"
  (cd "$tmp" && exec wine "$dir/$program.exe") &
  pid=$!
  for _ in $(seq 120); do
    [ -f "$dir/rasshirenia.txt" ] && break
    sleep 0.5
  done
  [ -f "$dir/rasshirenia.txt" ] || fail "$program.exe made no rasshirenia.txt beside itself"
  # Windows' polite close (WM_CLOSE), repeated until the window is there to take it.
  for _ in $(seq 60); do
    kill -0 "$pid" 2>/dev/null || break
    wine taskkill /im "$program.exe" >/dev/null 2>&1 || true
    sleep 0.5
  done
  status=0
  wait "$pid" || status=$?
  [ "$status" = 0 ] || fail "$program.exe ended with status $status"
done
echo "the zip holds: $listed"
