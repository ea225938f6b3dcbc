#!/usr/bin/env bash
# The two Windows downloads as cpack makes them from the Windows build, and their programs at work
# under wine on the Windows leg's virtual display.
#
#   zip:   one folder holding the three programs (64-bit, needing no DLL beyond the system's), the
#          help pages, the read-me (UTF-8 with its mark, CR LF) and the font's licence; unpacked,
#          the lister lists and each window starts, makes the mask file beside itself and ends
#          cleanly when Windows asks it to close.
#   setup: the setup program in a fresh wine prefix: a silent install for every user puts the files,
#          the Start-menu links and the "Apps & features" entry in place (no desktop links, the
#          PATH untouched); the installed windows keep their mask and settings files in
#          %APPDATA%\Brixel and write nothing beside themselves; an upgrade with the desktop links
#          and the PATH entry keeps the user's files; the silent uninstall leaves the prefix as it
#          found it but for the user's files; a per-user install goes to the user's own programs
#          folder and leaves again. Its first page is photographed into
#          build/screenshots/windows-setup.png.
#
# Usage: windows_downloads_test.sh BUILD VERSION zip|setup   (wine's settings and DISPLAY from the
# Windows leg). The downloads the Windows leg made in BUILD are used when they are newer than the
# programs; otherwise the test makes its own.
set -euo pipefail
build=$1 version=$2 download=$3
source "$(dirname "$0")/scratch_and_fail.sh"
[ -n "${DISPLAY:-}" ] || fail "no display to start the windows on"

# package GENERATOR FILE: the download FILE made by cpack in BUILD, or a fresh one in the scratch folder.
package() {
  local generator=$1 file=$2
  if [ "$build/$file" -nt "$build/Brixel.exe" ] && [ "$build/$file" -nt "$build/BrixelLite.exe" ] &&
    [ "$build/$file" -nt "$build/brixel-list.exe" ]; then
    echo "$build/$file"
    return
  fi
  cpack -G "$generator" --config "$build/CPackConfig.cmake" -B "$tmp/out" >"$tmp/cpack.txt" 2>&1 ||
    fail "cpack -G $generator: $(cat "$tmp/cpack.txt")"
  [ -f "$tmp/out/$file" ] || fail "no $file: $(ls "$tmp/out")"
  echo "$tmp/out/$file"
}

# run_window EXE MASK_FILE: starts the window program EXE (a Windows path) from the scratch folder,
# waits until it has made MASK_FILE (a Unix path), and closes it as Windows does (WM_CLOSE, repeated
# until the window is there to take it); fails unless it ends with status 0.
run_window() {
  local exe=$1 mask_file=$2 pid status=0
  (cd "$tmp" && exec wine "$exe") &
  pid=$!
  for _ in $(seq 120); do
    [ -f "$mask_file" ] && break
    sleep 0.5
  done
  [ -f "$mask_file" ] || fail "$exe made no $mask_file"
  for _ in $(seq 60); do
    kill -0 "$pid" 2>/dev/null || break
    wine taskkill /im "${exe##*\\}" >/dev/null 2>&1 || true
    sleep 0.5
  done
  wait "$pid" || status=$?
  [ "$status" = 0 ] || fail "$exe ended with status $status"
}

test_zip() {
  local zip name=Brixel-$version-windows-x64 listed expected dir exe header subsystem want dll readme program
  zip=$(package ZIP "$name.zip")
  listed=$(unzip -Z1 "$zip" | grep -v '/$' | sort | tr '\n' ' ')
  expected="$name/Brixel.exe $name/BrixelLite.exe $name/README.txt $name/brixel-list.exe $name/help/help.html \
$name/help/helpl.html $name/licenses/DejaVu-LICENSE.txt "
  [ "$listed" = "$expected" ] || fail "the zip holds: $listed"
  unzip -q "$zip" -d "$tmp/root"
  dir=$tmp/root/$name

  # Windows programs of their own: GUI for the windows, console for the lister, and only the
  # system's DLLs (no Qt, no C++ runtime beside them). The api-ms-win-* names are Windows' own API
  # sets (Windows 8 and later; Qt 6 needs Windows 10 anyway).
  local system_dlls='^(api-ms-win-core-[a-z0-9-]+|kernel32|user32|gdi32|gdiplus|advapi32|shell32|shlwapi|ole32|oleaut32|comdlg32|comctl32|uxtheme|dwmapi|imm32|winmm|ws2_32|version|netapi32|userenv|uuid|mpr|setupapi|shcore|d3d11|d3d9|dxgi|dwrite|authz|msvcrt|rpcrt4|winspool\.drv|crypt32|bcrypt|secur32|wtsapi32|cfgmgr32|ntdll)\.dll$'
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
  for program in Brixel BrixelLite; do
    rm -f "$dir/rasshirenia.txt"
    run_window "$(winepath -w "$dir/$program.exe")" "$dir/rasshirenia.txt"
  done
  echo "the zip holds: $listed"
}

# What the prefix holds outside wine's own windows folder and the temporary folders, where the
# uninstaller leaves its running copy for Windows to delete at the next start, as on Windows.
prefix_files() {
  (cd "$WINEPREFIX/drive_c" && find . -path ./windows -prune -o -path '*/Temp' -prune -o -print | sort)
}

# registry_value KEY NAME: a string value as reg query shows it; empty when the key or the value is
# missing. Only for values in ASCII: wine writes others in the console's code page.
registry_value() {
  { wine reg query "$1" /v "$2" 2>/dev/null || true; } | tr -d '\r' |
    awk -v name="$2" '$1 == name && NF >= 3 { sub(/^ *[^ ]+ +[^ ]+ +/, ""); print; exit }'
}

# folder VARIABLE: where a folder of the user's environment (%VARIABLE%) is in the prefix, as a
# Unix path under drive_c.
folder() {
  winepath -u "$(wine cmd /c "echo %$1%" | tr -d '\r')" | sed 's|/dosdevices/c:/|/drive_c/|'
}

# registry_text KEY NAME: a string value in any script, from reg export (UTF-16) read as UTF-8, in
# the export's quotes.
registry_text() {
  rm -f "$tmp/export.reg"
  wine reg export "$1" "$(winepath -w "$tmp/export.reg")" /y >/dev/null 2>&1 || return 0
  iconv -f UTF-16 -t UTF-8 "$tmp/export.reg" | tr -d '\r' |
    awk -v name="\"$2\"" '{ n = index($0, "=") } n && substr($0, 1, n - 1) == name { print substr($0, n + 1); exit }'
}

# Seconds since $1 (date +%s.%N), to one decimal.
since() {
  awk -v start="$1" -v now="$(date +%s.%N)" 'BEGIN { printf "%.1f", now - start }'
}

test_setup() {
  local setup started machine_env='HKLM\SYSTEM\CurrentControlSet\Control\Session Manager\Environment'
  setup=$(package NSIS "Brixel-$version-setup.exe")
  echo "the setup program: $(du -k "$setup" | cut -f1) KB"

  # A fresh prefix of the test's own, with its own wineserver on the leg's display, and a home of its
  # own: wine links the prefix's Documents and Desktop to the home's. The server is not kept up, so
  # that wineserver -w waits for every program of the prefix, the uninstaller's copy of itself too.
  export WINEPREFIX=$tmp/wine HOME=$tmp/home
  mkdir -p "$HOME"
  trap 'wineserver -k >/dev/null 2>&1; wineserver -w >/dev/null 2>&1; rm -rf "$tmp"' EXIT
  (wineboot -i && wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f && wineserver -w) \
    </dev/null >/dev/null 2>&1 || fail "wineboot failed"
  local appdata documents programs user_programs desktop start_menu
  appdata=$(folder APPDATA)
  documents=$(folder USERPROFILE)/Documents
  programs="$WINEPREFIX/drive_c/Program Files/Brixel"
  user_programs=$(folder LOCALAPPDATA)/Programs/Brixel
  start_menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs"
  desktop=$(folder PUBLIC)/Desktop
  local path_before user_path_before
  path_before=$(registry_value "$machine_env" Path)
  prefix_files >"$tmp/before.txt"

  # The first page, as a user sees it: photographed, then the installer is left.
  mkdir -p "$build/screenshots"
  (cd "$tmp" && exec wine "$setup") &
  local installer=$! window=""
  for _ in $(seq 120); do
    window=$(xdotool search --onlyvisible --name "Установка" 2>/dev/null | head -n 1) && [ -n "$window" ] && break
    sleep 0.5
  done
  [ -n "$window" ] || fail "the setup program showed no window"
  sleep 2  # its page drawn
  eval "$(xdotool getwindowgeometry --shell "$window")"
  /usr/bin/python3 -c 'import sys; from PIL import ImageGrab
x, y, w, h = map(int, sys.argv[2:6])
ImageGrab.grab(bbox=(x, y, x + w, y + h), xdisplay=sys.argv[1]).save(sys.argv[6])' \
    "$DISPLAY" "$X" "$Y" "$WIDTH" "$HEIGHT" "$build/screenshots/windows-setup.png" ||
    fail "the first page could not be photographed"
  kill "$installer" 2>/dev/null || true
  wait "$installer" 2>/dev/null || true
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true

  # For every user, silently.
  started=$(date +%s.%N)
  wine "$setup" /S || fail "the silent install ended with status $?"
  wineserver -w
  echo "silent install: $(since "$started") s"
  local installed
  installed=$(cd "$programs" && find . -type f | sort | tr '\n' ' ')
  [ "$installed" = "./Brixel.exe ./BrixelLite.exe ./README.txt ./Uninstall.exe ./brixel-installed.txt \
./brixel-list.exe ./help/help.html ./help/helpl.html ./licenses/DejaVu-LICENSE.txt " ] ||
    fail "Program Files\\Brixel holds: $installed"
  [ -f "$start_menu/Бриксел.lnk" ] && [ -f "$start_menu/Бриксел лайт.lnk" ] ||
    fail "no Start-menu links: $(ls "$start_menu")"
  [ ! -e "$desktop/Бриксел.lnk" ] || fail "a desktop link nobody asked for"
  local key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Brixel'
  [ "$(registry_text "$key" DisplayName)" = '"Бриксел"' ] || fail "Apps & features name: $(registry_text "$key" DisplayName)"
  [ "$(registry_value "$key" DisplayVersion)" = "$version" ] || fail "Apps & features version"
  [ "$(registry_value "$key" Publisher)" = "Brixel maintainers" ] || fail "Apps & features publisher"
  [ "$(registry_value "$key" DisplayIcon)" = 'C:\Program Files\Brixel\Brixel.exe,0' ] ||
    fail "Apps & features icon: $(registry_value "$key" DisplayIcon)"
  [[ "$(registry_value "$key" EstimatedSize)" =~ ^0x[0-9a-f]{4,5}$ ]] ||
    fail "Apps & features size: $(registry_value "$key" EstimatedSize)"
  [ "$(registry_value "$machine_env" Path)" = "$path_before" ] || fail "the PATH changed unasked"

  [ "$(wine "C:\\Program Files\\Brixel\\brixel-list.exe" --version | tr -d '\r')" = "brixel-list $version" ] ||
    fail "the installed brixel-list.exe --version"
  for program in Brixel BrixelLite; do
    rm -f "$appdata/Brixel/rasshirenia.txt"
    run_window "C:\\Program Files\\Brixel\\$program.exe" "$appdata/Brixel/rasshirenia.txt"
  done
  [ "$(cd "$programs" && find . -type f | sort | tr '\n' ' ')" = "$installed" ] ||
    fail "the installed windows wrote beside themselves: $(ls -R "$programs")"

  # The user's files, then an upgrade over an install made to look older, with both options.
  printf '*.flac\r\n' >"$appdata/Brixel/rasshirenia.txt"
  mkdir -p "$documents"
  printf 'a.mp3\r\n' >"$documents/brixel-kzd.txt"
  printf 'own\r\n' >"$programs/мой список.txt"
  : >"$programs/Brixel.exe"
  wine reg add "$key" /v DisplayVersion /d 1.9.0 /f >/dev/null 2>&1
  wine "$setup" /S /DESKTOP /PATH || fail "the upgrade ended with status $?"
  wineserver -w
  [ -s "$programs/Brixel.exe" ] || fail "the upgrade left the older Brixel.exe"
  [ "$(registry_value "$key" DisplayVersion)" = "$version" ] || fail "the upgrade kept the older version"
  [ "$(cat "$appdata/Brixel/rasshirenia.txt")" = $'*.flac\r' ] || fail "the upgrade lost rasshirenia.txt"
  [ -f "$documents/brixel-kzd.txt" ] && [ -f "$programs/мой список.txt" ] || fail "the upgrade lost the user's lists"
  [ -f "$desktop/Бриксел.lnk" ] && [ -f "$desktop/Бриксел лайт.lnk" ] || fail "no desktop links: $(ls "$desktop")"
  [ "$(registry_value "$machine_env" Path)" = "$path_before;C:\\Program Files\\Brixel" ] ||
    fail "the PATH after the upgrade: $(registry_value "$machine_env" Path)"

  # Away again, silently: the prefix as it was but for the user's files.
  started=$(date +%s.%N)
  wine "$programs/Uninstall.exe" /S || fail "the silent uninstall ended with status $?"
  wineserver -w
  echo "silent uninstall: $(since "$started") s"
  [ -z "$(registry_value "$key" DisplayVersion)" ] || fail "the Apps & features entry stayed"
  [ "$(registry_value "$machine_env" Path)" = "$path_before" ] ||
    fail "the PATH after the uninstall: $(registry_value "$machine_env" Path)"
  prefix_files >"$tmp/after.txt"
  local left expected_left
  # The user's files: the mask file and the windows' settings files in %APPDATA%\Brixel, and the
  # list put into the program's folder.
  local user_folder="./${appdata#"$WINEPREFIX/drive_c/"}/Brixel"
  left=$(comm -13 "$tmp/before.txt" "$tmp/after.txt" | tr '\n' ' ')
  expected_left=$(printf '%s\n' "$user_folder" "$user_folder/Brixel.ini" "$user_folder/BrixelLite.ini" \
    "$user_folder/rasshirenia.txt" "./Program Files/Brixel" "./Program Files/Brixel/мой список.txt" |
    sort | tr '\n' ' ')
  [ "$left" = "$expected_left" ] || fail "the uninstall left: $left"
  [ -f "$documents/brixel-kzd.txt" ] || fail "the uninstall took the list in Documents"  # in the home
  [ -z "$(comm -23 "$tmp/before.txt" "$tmp/after.txt")" ] ||
    fail "the uninstall removed: $(comm -23 "$tmp/before.txt" "$tmp/after.txt" | tr '\n' ' ')"

  # For this user only: the user's programs folder, the user's Start menu and registry. The user's
  # PATH is longer than NSIS reads whole, and is left as it is rather than cut.
  rm -f "$appdata/Brixel/rasshirenia.txt"
  local long_path
  long_path=$(printf 'C:\\Tools\\%04d;' $(seq 120))
  wine reg add 'HKCU\Environment' /v Path /t REG_EXPAND_SZ /d "$long_path" /f >/dev/null 2>&1
  user_path_before=$(registry_value 'HKCU\Environment' Path)
  [ "$user_path_before" = "$long_path" ] || fail "the long PATH was not set"
  wine "$setup" /S /CurrentUser /PATH || fail "the per-user install ended with status $?"
  wineserver -w
  [ "$(registry_value 'HKCU\Environment' Path)" = "$long_path" ] || fail "the per-user install changed a long PATH"
  [ -f "$user_programs/Brixel.exe" ] || fail "nothing in the user's programs folder"
  local user_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Brixel'
  [ "$(registry_value "$user_key" DisplayVersion)" = "$version" ] || fail "no per-user Apps & features entry"
  [ -f "$appdata/Microsoft/Windows/Start Menu/Programs/Бриксел.lnk" ] || fail "no per-user Start-menu link"
  run_window "$(winepath -w "$user_programs/BrixelLite.exe")" "$appdata/Brixel/rasshirenia.txt"
  [ ! -e "$user_programs/rasshirenia.txt" ] || fail "the per-user install wrote beside itself"
  wine "$user_programs/Uninstall.exe" /S || fail "the per-user uninstall ended with status $?"
  wineserver -w
  [ ! -e "$user_programs" ] && [ -z "$(registry_value "$user_key" DisplayVersion)" ] &&
    [ "$(registry_value 'HKCU\Environment' Path)" = "$user_path_before" ] || fail "the per-user uninstall left its install"
}

case "$download" in
  zip) test_zip ;;
  setup) test_setup ;;
  *) fail "no such download: $download" ;;
esac
