# Sourced by the scripts that run Windows programs under Wine for the tests:
# finds Wine, makes a fresh private prefix with one persistent wineserver (so
# no Wine process keeps a caller's pipe open), makes locales privately when the
# system lacks them, and cleans everything up on exit.
#
#   wine_session_start [--transient]  a fresh prefix in a temporary work folder ($work);
#                                 with --transient the wineserver exits when its last
#                                 program does, which is when Wine writes the registry files
#   wine_session_on_exit          defined by the caller: more clean-up on exit
#   wine_session_locales cs_CZ en_US  the UTF-8 locales, all made under $work when one is missing
#   wine_session_run PROGRAM ARGS one run with QT_QPA_PLATFORM=offscreen; fails on a failed test

wine=${WINE:-}
[ -n "$wine" ] || wine=$(command -v wine64 || command -v wine || true)
[ -n "$wine" ] || { [ -x /usr/lib/wine/wine64 ] && wine=/usr/lib/wine/wine64; }
[ -n "$wine" ] || { echo "no Wine program found (scripts/setup.sh windows)" >&2; exit 2; }
wineserver=${WINESERVER:-}
[ -n "$wineserver" ] || { [ -x "$(dirname "$(readlink -f "$wine")")/wineserver" ] && wineserver=$(dirname "$(readlink -f "$wine")")/wineserver; }
[ -n "$wineserver" ] || wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)

wine_session_cleanup() {
  declare -F wine_session_on_exit >/dev/null && wine_session_on_exit
  WINEPREFIX="$work/prefix" "$wineserver" -k >/dev/null 2>&1 || true
  rm -rf "$work"
}

wine_session_start() {
  work=$(mktemp -d "${TMPDIR:-/tmp}/glotta-wine.XXXXXX")
  trap wine_session_cleanup EXIT
  export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINE="$wine" WINESERVER="$wineserver"
  unset DISPLAY WAYLAND_DISPLAY
  mkdir -p "$WINEPREFIX"
  # Wine's services inherit and keep the standard streams: never on a pipe.
  [ "${1:-}" = --transient ] || "$wineserver" -p >/dev/null 2>&1 </dev/null
  echo "== creating the Wine prefix"
  "$wine" wineboot -i >"$work/wineboot.log" 2>&1 </dev/null
  [ "${1:-}" != --transient ] || "$wineserver" -w
}

wine_session_locales() {
  local missing=0 name
  for name in "$@"; do
    locale -a 2>/dev/null | grep -qix "${name}\.utf-\?8" || missing=1
  done
  [ $missing = 0 ] && return 0
  # A private locale path replaces the system's, so every locale goes there.
  mkdir -p "$work/locale"
  for name in "$@"; do
    localedef -i "$name" -f UTF-8 "$work/locale/$name.UTF-8" >/dev/null 2>&1 || [ -d "$work/locale/$name.UTF-8" ] ||
      { echo "cannot make the $name.UTF-8 locale (package locales)" >&2; return 1; }
  done
  export LOCPATH="$work/locale"
}

wine_session_run() {
  # Not with a private TMPDIR: Wine then reports no internet connection.
  # Wine keeps the Unix QT_ variables from Windows programs and passes WINEQT_
  # ones under the QT_ name. A test's log goes to a file: a static Qt program's
  # standard output does not reach a pipe through Wine.
  local program=$1 log="$work/test.log" status
  shift
  rm -f "$log"
  set +e
  WINEQT_QPA_PLATFORM=offscreen WINEQT_QPA_FONTDIR="Z:\\usr\\share\\fonts\\truetype\\dejavu" WINEQT_LOGGING_RULES="qt.qpa.*=false" \
    timeout 600 "$wine" "$program" -o "Z:${log//\//\\},txt" "$@" </dev/null >"$work/wine.out" 2>&1
  status=$?
  set -e
  tr -d '\r' <"$log" 2>/dev/null | grep -av "^PASS " || true
  [ $status = 0 ] || { echo "exit status $status"; tail -n 20 "$work/wine.out"; }
  return $status
}
