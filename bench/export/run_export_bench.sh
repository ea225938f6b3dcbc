#!/usr/bin/env bash
# Export figures for 1,000,000 names of the bench mix: medians of 5 runs side by side (text list
# against iconv, .xlsx against libxlsxwriter alone), then each format's time and peak memory in
# a process of its own. Usage: bench/export/run_export_bench.sh [BUILD_DIR]
#
# bench/export/run_export_bench.sh BUILD_DIR OTHER_BUILD_DIR compares two builds (say, before and
# after a change) instead: the .xls and .xlsx of each, runs alternating, five each, then the
# median time and the largest peak of each build and format.
set -euo pipefail
build=${1:-$(cd "$(dirname "$0")/../.." && pwd)/build}
work=$(mktemp -d "$build/export-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT

if [ $# -ge 2 ]; then
  other=$2
  for run in 1 2 3 4 5; do
    for format in xls xlsx; do
      for b in "$build" "$other"; do
        printf '%s ' "$b" >>"$work/runs"
        "$b/bench/brixel-export-peak" "$format" 1000000 "$work/list.$format" >>"$work/runs"
        rm -f "$work/list.$format"
      done
    done
  done
  # Lines read: BUILD FORMAT 1000000 names: SECONDS s, peak MB MB (...)
  for b in "$build" "$other"; do
    for format in xls xlsx; do
      t=$(awk -v b="$b" -v f="$format" '$1 == b && $2 == f { print $5 }' "$work/runs" | sort -g |
        awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }')
      m=$(awk -v b="$b" -v f="$format" '$1 == b && $2 == f { print $8 }' "$work/runs" | sort -g | tail -n 1)
      printf '%-5s %s: median %s s, peak %s MB\n' "$format" "$b" "$t" "$m"
    done
  done
  exit 0
fi

(cd "$work" && "$build/bench/export_bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true) |
  grep -E '^Benchmark|_median'

echo
for format in txt html xls xlsx; do
  for run in 1 2 3; do
    "$build/bench/brixel-export-peak" "$format" 1000000 "$work/list.$format"
    rm -f "$work/list.$format"
  done
done
