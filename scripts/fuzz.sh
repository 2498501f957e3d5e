#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, in build-fuzz/ or $GLOTTA_FUZZ_BUILD_DIR)
# and runs each for a given time on a copy of its seed corpus, then prints a
# table of executions and findings per target.
#
#   scripts/fuzz.sh [SECONDS per target, default 600] [TARGET...]
#
# Without targets every fuzz_* target under fuzz/ runs, one after the other.
# Each run's corpus, log and findings (crash-*, leak-*, timeout-*, oom-*)
# stay in build-fuzz/campaign/<target>/. Exits 1 when any target found
# something, 0 otherwise.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${GLOTTA_FUZZ_BUILD_DIR:-$root/build-fuzz}
seconds=${1:-600}
shift || true
case "$seconds" in
  ''|*[!0-9]*) echo "fuzz.sh: SECONDS must be a whole number, not '$seconds'" >&2; exit 2 ;;
esac

bash "$root/scripts/setup.sh" fuzz

# Every target: its source file names it, its seeds lie in corpus/<name
# without the fuzz_ prefix> beside it.
declare -A sources=()
while IFS= read -r file; do
  name=$(basename "$file" .cpp)
  sources[$name]=$file
done < <(find "$root/fuzz" -name 'fuzz_*.cpp' | sort)

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  mapfile -t targets < <(printf '%s\n' "${!sources[@]}" | sort)
fi
for t in "${targets[@]}"; do
  [ -n "${sources[$t]:-}" ] || { echo "fuzz.sh: no fuzz target '$t'" >&2; exit 2; }
done

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGLOTTA_BUILD_FUZZ=ON \
  -DGLOTTA_BUILD_TESTS=OFF -DGLOTTA_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target "${targets[@]}"

export QT_QPA_PLATFORM=offscreen
# fontconfig's lifetime caches are not the targets' leaks.
export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"

rows=()
found_any=0
for t in "${targets[@]}"; do
  src=${sources[$t]}
  binary=$(find "$build/fuzz" -type f -name "$t" -perm -u+x | head -n1)
  [ -n "$binary" ] || { echo "fuzz.sh: $t was not built" >&2; exit 1; }
  work="$build/campaign/$t"
  rm -rf "$work"
  mkdir -p "$work/corpus" "$work/findings"
  seeds="$(dirname "$src")/corpus/${t#fuzz_}"
  # -L follows the links to the tests' fixtures: new inputs land in the copy.
  [ -d "$seeds" ] && cp -rL "$seeds/." "$work/corpus/"
  echo "== $t: $seconds s" >&2
  status=0
  (cd "$work" && "$binary" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=25 -print_final_stats=1 \
      -artifact_prefix="$work/findings/" "$work/corpus" >"$work/log" 2>&1) || status=$?
  execs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$work/log" | tail -n1 | grep -o '[0-9]*$' || true)
  if [ -z "$execs" ]; then # a run stopped by a finding prints its count on the last status line
    execs=$(grep -oE '^#[0-9]+' "$work/log" | tail -n1 | tr -d '#' || true)
  fi
  execs=${execs:-0}
  rate=$(grep -o 'stat::average_exec_per_sec: *[0-9]*' "$work/log" | tail -n1 | grep -o '[0-9]*$' || true)
  rate=${rate:-$(( execs / (seconds > 0 ? seconds : 1) ))}
  corpus=$(find "$work/corpus" -type f | wc -l)
  findings=$(find "$work/findings" -type f | wc -l)
  if [ "$findings" -gt 0 ]; then
    found_any=1
  elif [ "$status" -ne 0 ]; then # stopped without leaving an input: say how
    findings="exit $status"
    found_any=1
  fi
  rows+=("$(printf '%-28s %8s %12s %10s %8s  %s' "$t" "$seconds" "$execs" "$rate" "$corpus" "$findings")")
done

printf '%-28s %8s %12s %10s %8s  %s\n' target seconds executions 'execs/s' corpus findings
for r in "${rows[@]}"; do printf '%s\n' "$r"; done
echo "logs and findings: $build/campaign/<target>/"
exit $found_any
