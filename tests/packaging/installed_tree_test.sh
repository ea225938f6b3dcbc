#!/usr/bin/env bash
# cmake --install into a temporary prefix: every file where desktops and Debian look for it and
# nothing else, the desktop entries and metainfo valid under their validators, the icons at their
# sizes, a manual page that man reads without a warning, and a completion that offers every option.
# Usage: installed_tree_test.sh BUILD VERSION FULL_ID LITE_ID
set -euo pipefail
build=$1 version=$2 full_id=$3 lite_id=$4
source "$(dirname "$0")/scratch_and_fail.sh"

p=$tmp/prefix
cmake --install "$build" --prefix "$p" >/dev/null

sizes=(16 22 24 32 48 64 128 256)
expected=(bin/Brixel bin/BrixelLite bin/brixel-list
  share/brixel/help/help.html share/brixel/help/helpl.html
  "share/applications/$full_id.desktop" "share/applications/$lite_id.desktop"
  "share/metainfo/$full_id.metainfo.xml" "share/metainfo/$lite_id.metainfo.xml"
  share/icons/hicolor/scalable/apps/brixel.svg
  share/man/man1/brixel-list.1.gz share/man/man1/Brixel.1.gz share/man/man1/BrixelLite.1.gz
  share/bash-completion/completions/brixel-list
  share/doc/brixel/copyright share/doc/brixel/changelog.gz)
for s in "${sizes[@]}"; do expected+=("share/icons/hicolor/${s}x$s/apps/brixel.png"); done
installed=$(cd "$p" && find . -type f | sed 's|^\./||' | sort)
wanted=$(printf '%s\n' "${expected[@]}" | sort)
[ "$installed" = "$wanted" ] || fail "installed tree differs: $(diff <(echo "$wanted") <(echo "$installed") | grep '^[<>]')"
for program in Brixel BrixelLite brixel-list; do [ -x "$p/bin/$program" ] || fail "$program is not executable"; done
"$p/bin/brixel-list" --version | grep -qx "brixel-list $version" || fail "brixel-list --version is not $version"

# Each PNG is as large as its folder says (width and height from the PNG header).
for s in "${sizes[@]}"; do
  size=$(python3 -c 'import struct, sys; d = open(sys.argv[1], "rb").read(24); print("%dx%d" % struct.unpack(">II", d[16:24]))' \
    "$p/share/icons/hicolor/${s}x$s/apps/brixel.png")
  [ "$size" = "${s}x$s" ] || fail "the ${s}x$s icon is $size"
done

# The validators, and what they check only together: each entry starts a program of the tree,
# with the tree's icon.
for id in "$full_id" "$lite_id"; do
  desktop=$p/share/applications/$id.desktop
  desktop-file-validate "$desktop" || fail "$id.desktop is not valid"
  appstreamcli validate --no-net "$p/share/metainfo/$id.metainfo.xml" >"$tmp/appstream.txt" ||
    fail "$id.metainfo.xml is not valid: $(cat "$tmp/appstream.txt")"
  exec_line=$(sed -n 's/^Exec=//p' "$desktop")
  [ -x "$p/bin/${exec_line%% *}" ] || fail "$id.desktop starts $exec_line, which is not installed"
  icon=$(sed -n 's/^Icon=//p' "$desktop")
  [ -f "$p/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "$id.desktop shows icon $icon, not installed"
  grep -q "^Name\[ru\]=" "$desktop" || fail "$id.desktop has no Russian name"
done

# The manual pages: man finds nothing to warn about, and brixel-list's names every option of --help.
for page in "$p"/share/man/man1/*.1.gz; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "man warns about $(basename "$page"): $warnings"
done
page=$(zcat "$p/share/man/man1/brixel-list.1.gz" | sed 's/\\-/-/g')
options=$("$p/bin/brixel-list" --help | sed -nE 's/^ +(-[a-z], )?(--[a-z-]+).*/\2/p' | sort -u)
[ -n "$options" ] || fail "no options read from --help"
for option in $options; do
  grep -qe "$option" <<<"$page" || fail "the manual page does not name $option"
done

# The completion, as bash calls it: COMP_WORDS and COMP_CWORD in, COMPREPLY out.
complete_line() {
  bash -c 'source "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _brixel_list 2>/dev/null
           printf "%s\n" "${COMPREPLY[@]}"' _ "$p/share/bash-completion/completions/brixel-list" "$@"
}
offered=$(complete_line brixel-list --)
for option in $options; do
  grep -qx -e "$option" <<<"$offered" || fail "the completion does not offer $option"
done
[ "$(complete_line brixel-list -f "" | sort | tr '\n' ' ')" = "csv html json txt xls xlsx " ] || fail "no formats after -f"
[ "$(complete_line brixel-list --columns folder,si)" = "folder,size" ] || fail "no column after a comma in --columns"
# bash hands "--order=s" over as three words.
[ "$(complete_line brixel-list --order = s | sort | tr '\n' ' ')" = "scan sorted " ] || fail "no orders after --order="
[ "$(complete_line brixel-list --encoding = | sort | tr '\n' ' ')" = "cp1251 utf-8 " ] || fail "no encodings after --encoding="
mkdir -p "$tmp/music/Folk songs" && cd "$tmp/music"
[ "$(complete_line brixel-list -r F)" = "Folk songs" ] || fail "no folder with a space offered"
[ -z "$(complete_line brixel-list -- -)" ] || fail "options offered after --"
echo "installed tree, validators, manual page and completion: all good"
