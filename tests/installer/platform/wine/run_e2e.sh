#!/usr/bin/env bash
# Builds the demo packages, makes a fresh Wine prefix in a temporary folder and
# runs the end-to-end test program against them.
#
#   run_e2e.sh TEST_PROGRAM BUILD_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../../../.." && pwd)
program=${1:?usage: run_e2e.sh TEST_PROGRAM BUILD_DIR}
build=${2:?usage: run_e2e.sh TEST_PROGRAM BUILD_DIR}
mkdir -p "$build"

. "$here/../wine_session.sh"

echo "== building the demo packages"
"$root/installer/demo_packages/build_demo_packages.sh" "$build/packages" "$build/demo" >"$build/demo.log" 2>&1 ||
  { cat "$build/demo.log"; exit 1; }

# No wineserver is kept running: the backend waits for the server to exit,
# which is when Wine has written the registry that the probes read.
wine_session_start --transient

mkdir -p "$work/tmp"
TMPDIR="$work/tmp" GLOTTA_E2E_PACKAGES="$build/packages/data" QT_QPA_PLATFORM=offscreen "$program"
