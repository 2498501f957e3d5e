#!/usr/bin/env bash
# Cross-builds the Win32 backend's test program and runs it under Wine in a
# fresh, temporary Wine prefix, against a local HTTP server; then builds the
# demo packages and checks that each registers what the installer looks for.
#
#   run_wine_tests.sh BUILD_DIR
#
# The Wine program is $WINE, else wine64 or wine on PATH, else Debian's
# /usr/lib/wine/wine64. Fails when any check fails or a run's final
# "N passed, N failed" line is missing.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../../../.." && pwd)
build=${1:?usage: run_wine_tests.sh BUILD_DIR}
mkdir -p "$build"
build=$(cd "$build" && pwd)

. "$here/../wine_session.sh"

# ---- cross build (incremental when BUILD_DIR is kept)
echo "== cross-building the test programs"
cmake -S "$here/cross" -B "$build/tests" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release >"$build/tests-configure.log" 2>&1 || { cat "$build/tests-configure.log"; exit 1; }
cmake --build "$build/tests" -j2 >"$build/tests-build.log" 2>&1 || { cat "$build/tests-build.log"; exit 1; }
echo "== building the demo packages"
"$root/installer/demo_packages/build_demo_packages.sh" "$build/packages" "$build/demo" >"$build/demo.log" 2>&1 ||
  { cat "$build/demo.log"; exit 1; }

server_pid=
wine_session_on_exit() { [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null || true; }
wine_session_start

# ---- the locale the program is started in: Czech when the system has or can
# make it (privately, without root), else whatever C.UTF-8 maps to.
locale_name=cs_CZ.UTF-8
expected_language=cs
if ! wine_session_locales cs_CZ; then
  locale_name=C.UTF-8
  expected_language=en
  echo "== no cs_CZ locale available; running in C.UTF-8 (Wine then reports English)"
fi

# ---- HTTP server on a free port of 127.0.0.1
mkdir -p "$work/www"
python3 - "$work/www/payload.bin" <<'PY'
import sys
size = 3 * 1024 * 1024 + 17
with open(sys.argv[1], 'wb') as f:
    f.write(bytes((i * 7 + 3) % 251 for i in range(size)))
PY
python3 -u -m http.server 0 --bind 127.0.0.1 --directory "$work/www" >"$work/server.log" 2>&1 </dev/null &
server_pid=$!
port=
for _ in $(seq 100); do
  port=$(sed -n 's/.* port \([0-9]*\) .*/\1/p' "$work/server.log" | head -1)
  [ -n "$port" ] && break
  sleep 0.1
done
[ -n "$port" ] || { echo "run_wine_tests: the HTTP server did not start" >&2; cat "$work/server.log" >&2; exit 1; }

failed=0
# run NAME EXE ARGS...: one program run; its output goes to a file, then here.
run() {
  local name=$1 exe=$2
  shift 2
  local out="$work/$name.out"
  set +e
  LANG=$locale_name LC_ALL=$locale_name timeout 240 "$wine" "$exe" "$@" >"$out" 2>"$work/$name.err" </dev/null
  local status=$?
  set -e
  echo "== $name (exit status $status)"
  # A console program's lines end in CR LF.
  tr -d '\r' <"$out"
  if ! tr -d '\r' <"$out" | tail -n 1 | grep -qE '^[0-9]+ passed, 0 failed$'; then
    echo "run_wine_tests: $name failed or did not finish" >&2
    sed -n '1,40p' "$work/$name.err" >&2
    failed=1
  fi
}

tests="$build/tests"
"$wine" winecfg -v win10 >/dev/null 2>&1 </dev/null
run probes "$tests/win_backend_test.exe" --server "http://127.0.0.1:$port" \
  --expect-windows "Windows 10" --expect-locale "$expected_language"

# The version as each Windows the prefix can pretend to be; the executable
# without the manifest is told an older version and must find the real one.
for case in "win10|Windows 10|10.0" "win81|Windows 8.1|6.3" "win8|Windows 8|6.2" "win7|Windows 7|6.1" \
            "winxp64|Unknown (Windows 5.2)|5.2"; do
  IFS='|' read -r version name basic <<<"$case"
  "$wine" winecfg -v "$version" >/dev/null 2>&1 </dev/null
  run "version-$version" "$tests/win_backend_test.exe" --only-windows-name "$name" --expect-basic-version "$basic"
done
for case in "win10|Windows 10|6.2" "win81|Windows 8.1|6.2"; do
  IFS='|' read -r version name basic <<<"$case"
  "$wine" winecfg -v "$version" >/dev/null 2>&1 </dev/null
  run "version-$version-without-manifest" "$tests/win_backend_test_nomanifest.exe" \
    --only-windows-name "$name" --expect-basic-version "$basic"
done
"$wine" winecfg -v win10 >/dev/null 2>&1 </dev/null

# Wine maps the Unix root to drive Z:.
packages_dir=$build/packages
run packages "$tests/win_backend_test.exe" --packages "Z:${packages_dir//\//\\}"

exit $failed
