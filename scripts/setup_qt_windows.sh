#!/usr/bin/env bash
# Makes Qt 6 for Windows (static, MinGW-w64) available for the Windows build and
# prints its prefix. Debian ships no Qt for Windows, so it comes from an archive
# made by scripts/build_qt_windows.sh:
#   - $GLOTTA_QT_WINDOWS_ARCHIVE, else ../shared/toolchains/qt6-mingw-x86_64.tar.xz
#     beside the repository, is unpacked once into the cache
#     (${XDG_CACHE_HOME:-~/.cache}/glotta, or $GLOTTA_QT_WINDOWS_CACHE);
#   - with --build and no archive, the archive is built from Debian's qt6-base
#     source package first (about an hour on two cores) and kept in the cache.
# Exits 1 with a word on stderr when neither is at hand.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cache=${GLOTTA_QT_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/glotta}
archive=${GLOTTA_QT_WINDOWS_ARCHIVE:-}
if [ -z "$archive" ]; then
  for candidate in "$root/../shared/toolchains/qt6-mingw-x86_64.tar.xz" "$cache/qt6-mingw-x86_64.tar.xz"; do
    [ -f "$candidate" ] && { archive=$candidate; break; }
  done
fi
if [ -z "$archive" ] && [ "${1:-}" = --build ]; then
  mkdir -p "$cache/qt-build"
  archive=$("$root/scripts/build_qt_windows.sh" "$cache/qt-build" | tail -n 1)
  mv "$archive" "$cache/qt6-mingw-x86_64.tar.xz"
  rm -rf "$cache/qt-build"
  archive=$cache/qt6-mingw-x86_64.tar.xz
fi
if [ -z "$archive" ] || [ ! -f "$archive" ]; then
  echo "Qt for Windows not found: set GLOTTA_QT_WINDOWS_ARCHIVE to qt6-mingw-x86_64.tar.xz," \
       "or build it with 'scripts/setup_qt_windows.sh --build' (about an hour)." >&2
  exit 1
fi

# One unpacked copy per archive content: a changed archive is unpacked afresh.
stamp=$(sha256sum "$archive" | cut -c1-16)
prefix=$cache/qt6-mingw-x86_64
if [ "$(cat "$prefix/.archive" 2>/dev/null)" != "$stamp" ]; then
  rm -rf "$prefix" "$cache/unpack"
  mkdir -p "$cache/unpack"
  tar -C "$cache/unpack" -xJf "$archive"
  mv "$cache/unpack/qt6-mingw-x86_64" "$prefix"
  rmdir "$cache/unpack"
  echo "$stamp" >"$prefix/.archive"
fi
echo "$prefix"
