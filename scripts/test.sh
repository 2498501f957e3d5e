#!/usr/bin/env bash
# Sets up a fresh Debian machine, builds everything and runs every test
# headless; then builds the tests again with AddressSanitizer and
# UndefinedBehaviorSanitizer (in build-asan/, or $GLOTTA_ASAN_BUILD_DIR) and
# runs them there too, where any sanitizer report fails the run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh" windows
"$root/scripts/build.sh"
build=${GLOTTA_BUILD_DIR:-$root/build}
cd "$build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"

# The sanitizer pass leaves out the two suites that run real Wine: Wine and
# the cross-built programs are not instrumented, and they are the slowest.
asan=${GLOTTA_ASAN_BUILD_DIR:-$root/build-asan}
GLOTTA_BUILD_DIR=$asan "$root/scripts/build.sh" -DGLOTTA_SANITIZE=ON -DGLOTTA_BUILD_BENCH=OFF
cd "$asan"
export ASAN_OPTIONS=halt_on_error=1:abort_on_error=1:detect_leaks=1:strict_init_order=1
export LSAN_OPTIONS=suppressions=$root/scripts/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=halt_on_error=1:abort_on_error=1:print_stacktrace=1
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)" \
    -E '^(installer_e2e_wine|windows_backend_wine)$'
