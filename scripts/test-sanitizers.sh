#!/usr/bin/env bash
# The core tests and the window jobs' tests again, built with GCC's sanitizers, each kind in a
# build folder of its own (./test runs this after the main tests):
#   build-tsan/  ThreadSanitizer: the tests without Qt and the job runner's own test. Debian's Qt
#                is not instrumented, so TSan takes what Qt does across threads (queued calls,
#                the paint thread pool) for races; the windows' tests, which meet those at every
#                step, are left to the other run. scripts/tsan-qt.supp names the few functions
#                inside Qt that the runner's test meets (Qt Test's watchdog), each with its reason.
#   build-asan/  AddressSanitizer and UndefinedBehaviorSanitizer: the tests without Qt, the job
#                runner's test and both windows' tests.
# LibreOffice is left to the main run, which starts it once; the other readers take part.
set -euo pipefail
source "$(dirname "$0")/common.sh"

# build_sanitized DIR SANITIZERS TARGET...
build_sanitized() {
  local dir=$1 sanitize=$2
  shift 2
  cmake -S "$BRIXEL_ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBRIXEL_BUILD_TESTS=ON \
    -DBRIXEL_BUILD_BENCH=OFF -DBRIXEL_SANITIZE="$sanitize" >/dev/null
  cmake --build "$dir" -j "$(nproc)" --target "$@"
}

export QT_QPA_PLATFORM=offscreen
# run_tests DIR ENV... : the tests without Qt but LibreOffice's and the packaging checks, then the
# Qt programs named in WINDOW_TESTS.
run_tests() {
  local dir=$1
  shift
  env "$@" ctest --test-dir "$dir" --output-on-failure -j "$(nproc)" -LE qt -E 'LibreOffice|^packaging\.'
  env "$@" ctest --test-dir "$dir" --output-on-failure -j "$(nproc)" -R "^(${WINDOW_TESTS})\$"
}

build_sanitized "$BRIXEL_ROOT/build-tsan" thread brixel_core_tests job_runner_tests
WINDOW_TESTS=job_runner_tests run_tests "$BRIXEL_ROOT/build-tsan" \
  TSAN_OPTIONS="suppressions=$BRIXEL_ROOT/scripts/tsan-qt.supp halt_on_error=1 second_deadlock_stack=1"

build_sanitized "$BRIXEL_ROOT/build-asan" address,undefined brixel_core_tests brixel_window_job_tests
WINDOW_TESTS="job_runner_tests|full_window_tests|lite_window_tests" run_tests "$BRIXEL_ROOT/build-asan" \
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1

echo "test-sanitizers: built and ran in $((SECONDS / 60)) min $((SECONDS % 60)) s"
