#!/usr/bin/env bash
# Where a build of Qt for Windows spends its time, from the step times Ninja keeps (.ninja_log):
# the steps summed by kind (Qt's own modules, the third-party code Qt bundles, moc, rcc and the
# other generated code, plugins, precompiled headers, the libraries' archiving, the rest), in
# minutes of work, beside the build's wall time. Steps of one command that make several files are
# counted once.
#
#   scripts/qt-build-steps.sh NINJA_LOG...   one column of steps and minutes per build, side by side
set -euo pipefail
[ $# -ge 1 ] || { echo "usage: scripts/qt-build-steps.sh NINJA_LOG..." >&2; exit 2; }

awk '
  function kind(path) {
    if (path ~ /cmake_pch/) return "precompiled headers"
    if (path ~ /_autogen\/|\/moc_|qrc_|\.rcc|_resources_|metatypes|\.json|\.pri$|\.prl$|\.cmake$/)
      return "moc, rcc, generated"
    if (path ~ /\.a$/) return "archives"
    if (path ~ /3rdparty|Bundled/) return "third-party code"
    if (path ~ /src\/plugins\//) return "plugins"
    if (path ~ /src\/(corelib|gui|widgets|testlib|platformsupport|entrypoint)\//) return "modules"
    return "other"
  }
  FNR == 1 { build++; names[build] = FILENAME }
  /^#/ { next }
  {
    id = build " " $1 " " $2 " " $5
    if (id in seen) next
    seen[id] = 1
    k = kind($4); kinds[k] = 1
    seconds = ($2 - $1) / 1000
    sum[build, k] += seconds; steps[build, k]++; total[build] += seconds; count[build]++
    if (!(build in first) || $1 < first[build]) first[build] = $1
    if ($2 > last[build]) last[build] = $2
  }
  END {
    printf "kind"
    for (b = 1; b <= build; b++) printf "\tsteps\tminutes"
    printf "\n"
    for (k in kinds) order[k] = sum[1, k]
    n = 0
    for (k in kinds) list[++n] = k
    for (i = 1; i <= n; i++)  # by the first build'"'"'s minutes, largest first
      for (j = i + 1; j <= n; j++)
        if (order[list[j]] > order[list[i]]) { t = list[i]; list[i] = list[j]; list[j] = t }
    for (i = 1; i <= n; i++) {
      printf "%s", list[i]
      for (b = 1; b <= build; b++) printf "\t%d\t%.1f", steps[b, list[i]], sum[b, list[i]] / 60
      printf "\n"
    }
    printf "all steps"
    for (b = 1; b <= build; b++) printf "\t%d\t%.1f", count[b], total[b] / 60
    printf "\nwall time"
    for (b = 1; b <= build; b++) printf "\t-\t%.1f", (last[b] - first[b]) / 60000
    printf "\n"
  }' "$@" | column -t -s $'\t'
