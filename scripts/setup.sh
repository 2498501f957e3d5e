#!/usr/bin/env bash
# Installs what building, running and testing need on a Debian machine.
# Idempotent and quiet: packages already present are not touched.
set -euo pipefail

packages=(
  cmake g++ make
  qt6-base-dev qt6-base-dev-tools libgl-dev
  xvfb xauth fonts-dejavu-core fonts-liberation2
  curl python3
  libgettextpo-dev gettext qt6-l10n-tools qt6-translations-l10n
  qt6-tools-dev python3-jsonschema
)
# Extra groups: "windows" for the Win32 backend's cross build and Wine tests, "fuzz" for libFuzzer,
# "bench" for the comparison benchmark's tools (lrelease, msgfmt).
for group in "$@"; do
  case "$group" in
    windows) packages+=(g++-mingw-w64-x86-64-posix mingw-w64-tools wine64 wixl python3 locales) ;;
    fuzz) packages+=(clang libclang-rt-14-dev) ;;
    bench) packages+=(qt6-l10n-tools gettext) ;;
    *) echo "setup.sh: unknown group '$group'" >&2; exit 2 ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=
[ "$(id -u)" -ne 0 ] && SUDO=sudo
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq >/dev/null
$SUDO apt-get install -y -qq "${missing[@]}" >/dev/null
