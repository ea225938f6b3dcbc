#!/usr/bin/env bash
# scripts/fuzz-tags.sh [SECONDS] : fuzzes the glue between TagLib and a list's row for SECONDS
# (default 300) with libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer: TagLib built
# from Debian's source package with the same instrumentation, the details tests' fixtures as the
# first corpus. Everything goes to build-fuzz/; a crash or hang leaves its input there and fails,
# and so does undefined behaviour in Brixel's own code. Undefined behaviour inside TagLib is
# reported and the run goes on (TagLib 1.13 converts a damaged Opus file's length from a double
# out of an int's range: the duration is then garbage, which the reader drops as negative on x86).
# Not part of ./test.
set -euo pipefail
source "$(dirname "$0")/common.sh"

SECONDS_TO_RUN=${1:-300}
OUT=$BRIXEL_ROOT/build-fuzz
ensure_packages clang libclang-rt-14-dev cmake ninja-build libicu-dev zlib1g-dev dpkg-dev
SAN=(-fsanitize=address,undefined -g -O1)

if [ ! -f "$OUT/taglib/lib/libtag.a" ]; then
  rm -rf "$OUT/src" "$OUT/taglib-build"
  src=$(fetch_debian_source taglib "$OUT/src")
  sed -i 's|#include <utf8/checked.h>|#include <utf8-cpp/checked.h>|' "$src/taglib/toolkit/tstring.cpp"
  CC=clang CXX=clang++ cmake -S "$src" -B "$OUT/taglib-build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DBUILD_SHARED_LIBS=OFF -DBUILD_BINDINGS=OFF -DBUILD_TESTING=OFF -DBUILD_EXAMPLES=OFF \
    -DCMAKE_CXX_FLAGS="${SAN[*]} -fsanitize=fuzzer-no-link -I$src/3rdparty" \
    -DCMAKE_INSTALL_PREFIX="$OUT/taglib" >/dev/null
  cmake --build "$OUT/taglib-build" >/dev/null
  cmake --install "$OUT/taglib-build" >/dev/null
fi

mkdir -p "$OUT/corpus" "$OUT/findings"
sources=(core/details/columns.cpp core/details/detail_row.cpp core/details/field_text.cpp
  core/details/tag_encoding.cpp core/details/legacy_tag_text.cpp core/details/readable_file_stream.cpp
  core/details/tag_reader_taglib.cpp core/text/cp1251.cpp core/platform/icu/cp1251_table_icu.cpp
  core/utf8/utf8.cpp tests/fuzz/tag_fuzzer.cpp)
(cd "$BRIXEL_ROOT" && clang++ -std=c++20 "${SAN[@]}" -fno-sanitize-recover=undefined -fsanitize=fuzzer -I. -I"$OUT/taglib/include" \
  "${sources[@]}" "$OUT/taglib/lib/libtag.a" -licuuc -lz -o "$OUT/tag_fuzzer")

# The fixtures as seeds, each behind the two bytes that choose its extension and encoding.
names=(mp3 wav flac ogg opus m4a wma)
for f in "$BRIXEL_ROOT"/tests/details/fixtures/*.*; do
  ext=${f##*.}
  for i in "${!names[@]}"; do
    [ "${names[$i]}" = "$ext" ] && { printf "\\x$(printf %02x "$i")\\x00"; cat "$f"; } >"$OUT/corpus/$(basename "$f")"
  done
done
cd "$OUT/findings"
"$OUT/tag_fuzzer" -max_total_time="$SECONDS_TO_RUN" -timeout=10 -rss_limit_mb=2048 -max_len=262144 \
  -print_final_stats=1 "$OUT/corpus"
