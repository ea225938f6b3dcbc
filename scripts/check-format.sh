#!/usr/bin/env bash
# Every C++ file of the repository as its .clang-format lays it out, with Debian 12's clang-format
# (14): names each file that differs, with the lines, and fails. `clang-format -i FILE` mends one.
set -euo pipefail
cd "$(dirname "$0")/.."
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  mapfile -t files < <(git ls-files '*.cpp' '*.h')
else
  mapfile -t files < <(find . -path ./build -prune -o -path './build-*' -prune -o \( -name '*.cpp' -o -name '*.h' \) -print)
fi
clang-format --dry-run -Werror "${files[@]}"
