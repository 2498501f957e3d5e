#!/usr/bin/env bash
# Builds the demo packages and runs the unattended end-to-end test program,
# which starts the installer in fresh Wine prefixes below a temporary folder.
#
#   run_unattended_e2e.sh TEST_PROGRAM BUILD_DIR [TEST_FUNCTION...]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../../../.." && pwd)
program=${1:?usage: run_unattended_e2e.sh TEST_PROGRAM BUILD_DIR}
build=${2:?usage: run_unattended_e2e.sh TEST_PROGRAM BUILD_DIR}
mkdir -p "$build"

# Finds wine and wineserver; the prefixes are the installer's own to make.
. "$here/../wine_session.sh"

echo "== building the demo packages"
"$root/installer/demo_packages/build_demo_packages.sh" "$build/packages" "$build/demo" >"$build/demo.log" 2>&1 ||
  { cat "$build/demo.log"; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/glotta-unattended.XXXXXX")
cleanup() {
  for prefix in "$work"/*/prefix-*; do
    [ -d "$prefix" ] && WINEPREFIX="$prefix" "$wineserver" -k >/dev/null 2>&1 || true
  done
  rm -rf "$work"
}
trap cleanup EXIT
export WINE="$wine" WINESERVER="$wineserver" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM WINEPREFIX
TMPDIR="$work" GLOTTA_E2E_PACKAGES="$build/packages/data" GLOTTA_E2E_RESTART="$build/packages/restart/dotnetfx40_full_x86_x64.exe" \
  QT_QPA_PLATFORM=offscreen "$program" "${@:3}"
