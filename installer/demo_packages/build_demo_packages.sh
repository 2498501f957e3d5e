#!/usr/bin/env bash
# Builds the six files of the installer's download server as small demo
# packages and lays them out as the server serves them:
#   OUT/data/sqllocaldb/netframe/dotnetfx40_full_x86_x64.exe
#   OUT/data/sqllocaldb/nativeclient/64bit/sqlncli.msi
#   OUT/data/sqllocaldb/nativeclient/32bit/sqlncli.msi
#   OUT/data/sqllocaldb/2022/sqllocaldb.msi
#   OUT/data/sqllocaldb/32bit/sqllocaldb.msi
#   OUT/data/dilnex8/dilnex8.exe
# and, outside what is served, a .NET stand-in that asks for a restart:
#   OUT/restart/dotnetfx40_full_x86_x64.exe
# Needs the MinGW-w64 cross compiler and wixl.
#
#   build_demo_packages.sh OUT [BUILD_DIR]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
out=${1:?usage: build_demo_packages.sh OUT [BUILD_DIR]}
build=${2:-$out/.build}
mkdir -p "$out" "$build"

cmake -S "$here" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j2 >/dev/null

data=$out/data
mkdir -p "$data/sqllocaldb/netframe" "$data/sqllocaldb/nativeclient/64bit" "$data/sqllocaldb/nativeclient/32bit" \
  "$data/sqllocaldb/2022" "$data/sqllocaldb/32bit" "$data/dilnex8"
cp "$build/dotnetfx40_full_x86_x64.exe" "$data/sqllocaldb/netframe/"
cp "$build/dilnex8.exe" "$data/dilnex8/"
mkdir -p "$out/restart"
cp "$build/restart/dotnetfx40_full_x86_x64.exe" "$out/restart/"

# Fixed codes: rebuilding gives the same products (the product code itself is
# new each time, which the Windows Installer allows for an upgrade code).
msi() { # arch upgrade-code component-guid wxs output
  wixl -a "$1" -D Arch="$1" -D UpgradeCode="$2" -D ComponentGuid="$3" -o "$5" "$here/$4"
}
msi x64 dffafb94-b720-4de1-a5f8-ebc39a06f406 c24158b2-e318-4adf-bdc5-c56c5f7ae5fb sqlncli.wxs \
  "$data/sqllocaldb/nativeclient/64bit/sqlncli.msi"
msi x86 fdaeff52-c428-4c99-891b-3eeff1bed3e8 21f1633b-2a35-4cfb-a411-1587c86c259c sqlncli.wxs \
  "$data/sqllocaldb/nativeclient/32bit/sqlncli.msi"
msi x64 32c67d38-f0f1-4bd9-8a21-7bd8e369ebe8 833c910e-b625-4be0-9fa4-dd0cb3e62199 sqllocaldb.wxs \
  "$data/sqllocaldb/2022/sqllocaldb.msi"
msi x86 b78f3403-da29-4c24-adb4-7ecbdaf506eb 1a777d3c-dee0-4a9a-b468-7382035a24b6 sqllocaldb.wxs \
  "$data/sqllocaldb/32bit/sqllocaldb.msi"
echo "demo packages in $data"
