#!/usr/bin/env bash
# Runs the Windows build's installer tests under Wine in one fresh prefix:
# first the window's own tests (substitute platform), then the installer on
# its Win32 backend against the demo packages, twice: in a Czech locale
# (every case: the start-up language, a refused connection, the whole path
# with a cancelled download) and in an English one (the start-up language).
#
#   run_win32_installer.sh BUILD_DIR WIN32_TEST [WINDOW_TEST...]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../../../.." && pwd)
build=${1:?usage: run_win32_installer.sh BUILD_DIR WIN32_TEST [WINDOW_TEST...]}
win32_test=${2:?usage: run_win32_installer.sh BUILD_DIR WIN32_TEST [WINDOW_TEST...]}
shift 2
mkdir -p "$build"
. "$here/../wine_session.sh"

echo "== building the demo packages"
"$root/installer/demo_packages/build_demo_packages.sh" "$build/packages" "$build/demo" >"$build/demo.log" 2>&1 ||
  { cat "$build/demo.log"; exit 1; }

wine_session_start
wine_session_locales cs_CZ en_US

failed=()
for program in "$@"; do
  echo "== $(basename "$program")"
  LANG=cs_CZ.UTF-8 LC_ALL=cs_CZ.UTF-8 wine_session_run "$program" || failed+=("$(basename "$program")")
done
export GLOTTA_E2E_PACKAGES="$build/packages/data"
echo "== $(basename "$win32_test"), Czech locale"
GLOTTA_EXPECT_LANGUAGE=cs LANG=cs_CZ.UTF-8 LC_ALL=cs_CZ.UTF-8 wine_session_run "$win32_test" ||
  failed+=("$(basename "$win32_test") (cs)")
echo "== $(basename "$win32_test"), English locale"
GLOTTA_EXPECT_LANGUAGE=en LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8 wine_session_run "$win32_test" startsInTheLocaleLanguage ||
  failed+=("$(basename "$win32_test") (en)")
# The installer program unattended, started by its test as a deployment
# script would, in a fresh prefix of its own (its runs install for real).
if [ -n "${GLOTTA_WIN32_UNATTENDED_TEST:-}" ]; then
  echo "== $(basename "$GLOTTA_WIN32_UNATTENDED_TEST"), a fresh prefix"
  "$wineserver" -k >/dev/null 2>&1 || true
  export WINEPREFIX="$work/prefix-unattended"
  wine_session_on_exit() { WINEPREFIX="$work/prefix-unattended" "$wineserver" -k >/dev/null 2>&1 || true; }
  mkdir -p "$WINEPREFIX"
  "$wineserver" -p >/dev/null 2>&1 </dev/null
  "$wine" wineboot -i >"$work/wineboot-unattended.log" 2>&1 </dev/null
  # Wine maps the Unix root to drive Z:.
  setup=$GLOTTA_WIN32_SETUP_PROGRAM
  GLOTTA_WIN32_SETUP="Z:${setup//\//\\}" GLOTTA_E2E_RESTART="$build/packages/restart/dotnetfx40_full_x86_x64.exe" \
    LANG=cs_CZ.UTF-8 LC_ALL=cs_CZ.UTF-8 wine_session_run "$GLOTTA_WIN32_UNATTENDED_TEST" ||
    failed+=("$(basename "$GLOTTA_WIN32_UNATTENDED_TEST")")
fi
if [ ${#failed[@]} -gt 0 ]; then
  echo "failed under Wine: ${failed[*]}" >&2
  exit 1
fi
