#!/bin/bash
# Runs one Windows test program under wine: the command CTest puts before every Windows test.
# On a busy machine wine now and then ends a program before its main, with a failing status and
# not a word (it has been seen once in many hundred starts). Every test program speaks first thing
# (GoogleTest names its filter, Qt Test prints its banner, both unbuffered), so a run that printed
# nothing never reached a test: such a start, and only such a start, is made once more.
# Usage: run_under_wine.sh PROGRAM [ARGUMENTS...]
set -u -o pipefail
said=$(mktemp -d)
trap 'rm -rf "$said"' EXIT
for attempt in 1 2; do
  # stdout and stderr each passed on as they come, and each kept to look at afterwards.
  { wine "$@" 2>&1 1>&3 3>&- | tee "$said/err" >&2 3>&-; } 3>&1 | tee "$said/out"
  status=$?
  if [ "$status" = 0 ] || [ -s "$said/out" ] || [ -s "$said/err" ] || [ "$attempt" = 2 ]; then
    exit "$status"
  fi
  echo "run_under_wine: $1 ended with status $status before printing anything; starting it once more" >&2
done
