#!/usr/bin/env bash
# Sets up a fresh Debian machine, builds the installer, serves its packages
# from a local package server on 127.0.0.1:$DILNEX_PORT (default 8088, the
# address in the window's design) and starts the installer against the Wine
# prefix ($WINEPREFIX or ~/.wine). Arguments go to the installer (--prefix DIR).
# With --windows first, it starts the installer built for Windows
# (build-windows/, needs Qt for Windows: scripts/setup_qt_windows.sh) under
# Wine instead, in the same prefix: what a Windows user sees.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
windows=
if [ "${1:-}" = --windows ]; then
  windows=1
  shift
fi
"$root/scripts/setup.sh" windows
"$root/scripts/build.sh" >/dev/null
build=${GLOTTA_BUILD_DIR:-$root/build}
if [ -n "$windows" ]; then
  echo "Building the installer for Windows..."
  "$root/scripts/build_windows.sh" -DGLOTTA_BUILD_TESTS=OFF >/dev/null
fi

# Small demo packages, cross-built from source: programs and MSI packages
# that register exactly the keys the installer's probes look for.
packages="$build/packages"
echo "Building the demo packages..."
"$root/installer/demo_packages/build_demo_packages.sh" "$packages" "$build/demo_packages"

port=${DILNEX_PORT:-8088}
"$build/installer/package_server/package_server" --root "$packages/data" --port "$port" >/dev/null &
server=$!
trap 'kill $server 2>/dev/null' EXIT

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  exec_prefix=(xvfb-run -a)
  echo "No display: starting the installer under Xvfb (it runs invisibly; set DISPLAY to see it)."
else
  exec_prefix=()
fi
if [ -n "$windows" ]; then
  # The program sees the Wine prefix through Wine itself, not through --prefix.
  "${exec_prefix[@]}" wine "${GLOTTA_WINDOWS_BUILD_DIR:-$root/build-windows}/installer/dilnex-local-setup.exe" \
    --server "http://127.0.0.1:$port" "$@"
else
  "${exec_prefix[@]}" "$build/installer/dilnex-local-setup" --server "http://127.0.0.1:$port" "$@"
fi
