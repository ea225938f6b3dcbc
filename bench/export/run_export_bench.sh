#!/usr/bin/env bash
# Export figures for 1,000,000 names of the bench mix: medians of 5 runs side by side (text list
# against iconv, .xlsx against libxlsxwriter alone), then each format's time and peak memory in
# a process of its own. Usage: bench/export/run_export_bench.sh [BUILD_DIR]
set -euo pipefail
build=${1:-$(cd "$(dirname "$0")/../.." && pwd)/build}
work=$(mktemp -d "$build/export-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT

(cd "$work" && "$build/bench/export_bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true) |
  grep -E '^Benchmark|_median'

echo
for format in txt html xls xlsx; do
  for run in 1 2 3; do
    "$build/bench/brixel-export-peak" "$format" 1000000 "$work/list.$format"
    rm -f "$work/list.$format"
  done
done
