#!/usr/bin/env bash
# The Debian package as cpack makes it from the build: its name and fields, dependencies found by
# dpkg-shlibdeps, lintian without errors (its warnings are printed), and the unpacked programs at
# work: brixel-list lists, and both windows show on a virtual display under the class their
# desktop entries name, keeping the user's mask file in the user's configuration folder.
# Usage: debian_package_test.sh BUILD VERSION FULL_ID LITE_ID
set -euo pipefail
build=$1 version=$2 full_id=$3 lite_id=$4
source "$(dirname "$0")/scratch_and_fail.sh"

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$tmp/out" >"$tmp/cpack.txt" 2>&1 ||
  fail "cpack: $(cat "$tmp/cpack.txt")"
deb=$tmp/out/brixel_${version}_amd64.deb
[ -f "$deb" ] || fail "no $(basename "$deb"): $(ls "$tmp/out")"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = brixel ] && [ "$(field Version)" = "$version" ] && [ "$(field Architecture)" = amd64 ] ||
  fail "package fields: $(dpkg-deb -f "$deb")"
[ "$(field Section)" = utils ] || fail "section $(field Section)"
[ -n "$(field Maintainer)" ] && [ -n "$(field Description)" ] || fail "no maintainer or description"
for library in libc6 libstdc++6 libqt6widgets6 libqt6svg6 libicu libxlsxwriter; do
  grep -q "$library" <<<"$(field Depends)" || fail "Depends lacks $library: $(field Depends)"
done

lintian --tag-display-limit 0 "$deb" >"$tmp/lintian.txt" 2>&1 || true
sed 's/^/lintian: /' "$tmp/lintian.txt"
! grep -q '^E:' "$tmp/lintian.txt" || fail "lintian reports errors"

root=$tmp/root
dpkg-deb -x "$deb" "$root"
bin=$root/usr/bin
[ "$("$bin/brixel-list" --version)" = "brixel-list $version" ] || fail "unpacked brixel-list --version"
mkdir -p "$tmp/music/sub"
touch "$tmp/music/b.wav" "$tmp/music/a.mp3" "$tmp/music/notes.txt" "$tmp/music/sub/c.mp3"
[ "$("$bin/brixel-list" -r "$tmp/music" | tr '\n' ' ')" = "a.mp3 b.wav c.mp3 " ] || fail "unpacked brixel-list lists"

# shows_window PROGRAM CLASS: the program, started on a fresh virtual display, shows a window of
# that class while it runs; it is then ended.
shows_window() {
  xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    QT_QPA_PLATFORM=xcb "$1" >/dev/null 2>&1 &
    pid=$!
    shown=1
    for _ in $(seq 300); do
      if xdotool search --onlyvisible --class "^$2\$" >/dev/null 2>&1; then shown=0; break; fi
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    exit $shown' _ "$1" "$2"
}
for id in "$full_id" "$lite_id"; do
  program=$(sed -n 's/^Exec=//p' "$root/usr/share/applications/$id.desktop")
  program=${program%% *}  # without the field code for a folder
  class=$(sed -n 's/^StartupWMClass=//p' "$root/usr/share/applications/$id.desktop")
  XDG_CONFIG_HOME=$tmp/config HOME=$tmp/home shows_window "$bin/$program" "$class" ||
    fail "the unpacked $program showed no window of class $class"
done
# Installed, the programs keep the mask file in the user's configuration folder, not beside them.
[ -f "$tmp/config/brixel/rasshirenia.txt" ] || fail "no mask file made in the configuration folder"
[ ! -e "$bin/rasshirenia.txt" ] || fail "a mask file was made beside the installed programs"
# A configuration folder that cannot be made, in a home that is no folder: the window still shows.
touch "$tmp/no-home"
XDG_CONFIG_HOME=$tmp/no-home/config HOME=$tmp/no-home shows_window "$bin/BrixelLite" BrixelLite ||
  fail "BrixelLite showed no window without a configuration folder"
echo "$(basename "$deb"): fields, dependencies, lintian and the unpacked programs: all good"
