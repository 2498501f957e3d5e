#!/usr/bin/env bash
# Builds Qt 6 (qtbase: Core, Gui, Widgets, Network, Test; static, release) for 64-bit Windows
# with Debian's MinGW-w64 cross compiler, from Debian's own qt6-base source package, and packs
# it as qt6-mingw-x86_64.tar.xz. Debian ships no Qt for Windows; scripts/setup_qt_windows.sh
# --build runs this to make the archive it unpacks. Takes about an hour on two cores.
#   build_qt_windows.sh OUT_DIR
set -euo pipefail
out=$(realpath -m "${1:?usage: build_qt_windows.sh OUT_DIR}")
work=$out/work; mkdir -p "$work"
export DEBIAN_FRONTEND=noninteractive
apt-get install -y -qq --no-install-recommends qt6-base-dev qt6-base-dev-tools \
  g++-mingw-w64-x86-64-posix cmake ninja-build xz-utils dpkg-dev >/dev/null

# The source package, through a private source list (the system's lists are left alone).
apt=$work/apt; mkdir -p "$apt/lists/partial" "$apt/cache/archives/partial"
echo "deb-src http://deb.debian.org/debian bookworm main" > "$apt/sources.list"
opts=(-o Dir::State::Lists="$apt/lists" -o Dir::Etc::SourceList="$apt/sources.list"
      -o Dir::Etc::SourceParts=/dev/null -o Dir::Cache="$apt/cache")
apt-get "${opts[@]}" update -qq
(cd "$work" && apt-get "${opts[@]}" source --download-only qt6-base >/dev/null)
ver=$(dpkg-query -W -f='${Version}' qt6-base-dev | sed 's/-[^-]*$//')
(cd "$work" && tar xf qt6-base_"$ver".orig.tar.xz)
src=$(ls -d "$work"/qtbase-everywhere-src-*)

# Debian's source drops Qt's bundled Wintab headers, which the Windows platform plugin includes;
# Wine's development package has equivalent ones that need two of Wine's macros and API.
(cd "$work" && apt-get download libwine-dev >/dev/null 2>&1 && dpkg-deb -x libwine-dev_*.deb winedev)
mkdir -p "$src/src/3rdparty/wintab"
cp "$work/winedev/usr/include/wine/wine/windows/pktdef.h" "$src/src/3rdparty/wintab/"
cp "$work/winedev/usr/include/wine/wine/windows/wintab.h" "$src/src/3rdparty/wintab/wine_wintab.h"
cat > "$src/src/3rdparty/wintab/wintab.h" <<'WT'
#ifndef QT_WINTAB_WRAPPER_H
#define QT_WINTAB_WRAPPER_H
#include <windows.h>
#ifndef WINELIB_NAME_AW
# ifdef UNICODE
#  define WINELIB_NAME_AW(func) func##W
# else
#  define WINELIB_NAME_AW(func) func##A
# endif
#endif
#ifndef DECL_WINELIB_TYPE_AW
# define DECL_WINELIB_TYPE_AW(type) typedef WINELIB_NAME_AW(type) type;
#endif
#ifndef API
# define API WINAPI
#endif
#include "wine_wintab.h"
#endif
WT

cat > "$work/mingw.cmake" <<'TC'
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
TC

# Qt 6.4 keeps the dynamic-GL feature on with OpenGL off, and the Windows plugin then names
# OpenGL classes that were not built.
sed -i 's/^#if QT_CONFIG(dynamicgl)$/#if QT_CONFIG(dynamicgl) \&\& QT_CONFIG(opengl)/' \
  "$src/src/plugins/platforms/windows/qwindowswindow.cpp"

prefix=$out/qt6-mingw-x86_64
cmake -G Ninja -S "$src" -B "$work/build" \
  -DCMAKE_TOOLCHAIN_FILE="$work/mingw.cmake" -DQT_HOST_PATH=/usr \
  -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF \
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DFEATURE_sql=OFF -DFEATURE_opengl=OFF \
  -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF \
  -DFEATURE_icu=OFF -DFEATURE_openssl=OFF -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF \
  -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_freetype=OFF -DFEATURE_system_png=OFF \
  -DFEATURE_system_jpeg=OFF -DFEATURE_vulkan=OFF -DFEATURE_zstd=OFF -DFEATURE_brotli=OFF \
  -DFEATURE_libproxy=OFF -DFEATURE_gssapi=OFF >"$work/configure.log"
cmake --build "$work/build" --parallel >"$work/build.log"
cmake --install "$work/build" >"$work/install.log"
# Relocatable: the cross toolchain file travels inside the prefix.
cp "$work/mingw.cmake" "$prefix/lib/cmake/mingw-w64-x86_64.cmake"
sed -i "s|set(__qt_initially_configured_toolchain_file \".*\")|set(__qt_initially_configured_toolchain_file \"\${CMAKE_CURRENT_LIST_DIR}/../mingw-w64-x86_64.cmake\")|" \
  "$prefix/lib/cmake/Qt6/qt.toolchain.cmake"
tar -C "$out" -cf - "$(basename "$prefix")" | xz -T2 -9 > "$out/qt6-mingw-x86_64.tar.xz"
echo "$out/qt6-mingw-x86_64.tar.xz"
