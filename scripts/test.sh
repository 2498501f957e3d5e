#!/usr/bin/env bash
# Sets up a fresh Debian machine, builds everything and runs every test
# headless; then, when Qt for Windows is at hand (scripts/setup_qt_windows.sh),
# cross-builds the project for Windows (build-windows/) and runs its tests
# under Wine; then builds the tests again with AddressSanitizer and
# UndefinedBehaviorSanitizer (in build-asan/, or $GLOTTA_ASAN_BUILD_DIR) and
# runs them there too, where any sanitizer report fails the run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh" windows
"$root/scripts/build.sh"
build=${GLOTTA_BUILD_DIR:-$root/build}
cd "$build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"

# The installer as a Windows program, with its tests under Wine.
if "$root/scripts/setup_qt_windows.sh" >/dev/null; then
  "$root/scripts/build_windows.sh"
  (cd "${GLOTTA_WINDOWS_BUILD_DIR:-$root/build-windows}" && ctest --output-on-failure)
else
  echo "Skipped the Windows build and its tests under Wine: no Qt for Windows" \
       "(the README's 'The Windows installer' says how to enable them)."
fi

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
