#!/usr/bin/env bash
# Cross-builds the whole project for 64-bit Windows against Qt for Windows
# (scripts/setup_qt_windows.sh) into build-windows/ (or $GLOTTA_WINDOWS_BUILD_DIR):
# the self-contained installer/dilnex-local-setup.exe and the Windows tests,
# which its ctest runs under Wine. Extra arguments go to cmake's configure step.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh" windows
qt=$("$root/scripts/setup_qt_windows.sh")
build=${GLOTTA_WINDOWS_BUILD_DIR:-$root/build-windows}
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DGLOTTA_BUILD_BENCH=OFF -DGLOTTA_BUILD_TESTS=ON "${launcher[@]}" "$@" >/dev/null
cmake --build "$build" -j"$(nproc)"
