#!/usr/bin/env bash
# Runs the fuzz targets of a native fuzz build, each for a bounded time on a copy of its seed corpus,
# at most one per core at a time (QUENDREL_FUZZ_JOBS overrides the core count).
#   tests/fuzz/run.sh BUILD_DIR SECONDS
# Fails when a target crashes, hangs (5 s per input), leaks, exceeds 2 GB or reports a sanitizer error.
set -euo pipefail
build=${1:?usage: run.sh BUILD_DIR SECONDS}
seconds=${2:?usage: run.sh BUILD_DIR SECONDS}
jobs=${QUENDREL_FUZZ_JOBS:-$(nproc)}
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# One line per target: its name, its program in the build and its seed corpus in the source tree
# (a new one also goes into fuzz_targets, tests/fuzz/CMakeLists.txt).
targets=(
  "fuzz_dbx_messages tests/fuzz/fuzz_dbx_messages tests/fuzz/corpus/messages"
  "fuzz_dbx_folders tests/fuzz/fuzz_dbx_folders tests/fuzz/corpus/folders"
  "fuzz_theme tests/fuzz/fuzz_theme tests/fuzz/corpus/theme"
  "imagecodec tests/toolkit/toolkit_imagecodec_fuzz tests/toolkit/data"
)

fuzz() {  # name program seeds
  local name=$1 program=$build/$2 seeds=$root/$3
  local corpus="$work/$name/corpus" artifacts="$work/$name/artifacts/" log="$work/$name/log" rc=0
  mkdir -p "$corpus" "$artifacts"
  cp "$seeds/"* "$corpus/"
  "$program" "$corpus" -max_total_time="$seconds" -timeout=5 -rss_limit_mb=2048 -detect_leaks=1 \
    -artifact_prefix="$artifacts" -print_final_stats=1 >"$log" 2>&1 || rc=$?
  echo "$rc" >"$work/$name/rc"
}
verdict() {  # name; fails on a finding
  local name=$1 corpus="$work/$1/corpus" artifacts="$work/$1/artifacts/" log="$work/$1/log"
  local rc runs found
  rc=$(cat "$work/$name/rc")
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo "?")
  found=$(ls -A "$artifacts" | wc -l)
  if [ "$rc" -ne 0 ] || [ "$found" -ne 0 ] || grep -q 'ERROR: \(AddressSanitizer\|LeakSanitizer\|libFuzzer\)\|runtime error:' "$log"; then
    echo "$name: FAILED (exit $rc, $found artifacts)"
    tail -40 "$log"
    mkdir -p "$build/fuzz-artifacts" && cp -r "$artifacts" "$build/fuzz-artifacts/$name" 2>/dev/null || true
    return 1
  fi
  echo "$name: ok, $runs executions in ${seconds}s, corpus $(ls "$corpus" | wc -l) files"
}

names=()
for line in "${targets[@]}"; do
  read -r name program seeds <<<"$line"
  [ -x "$build/$program" ] || {
    echo "run.sh: $build/$program missing (configure with -DQUENDREL_FUZZ=ON)" >&2; exit 1; }
  [ -d "$root/$seeds" ] || { echo "run.sh: seed corpus $root/$seeds missing" >&2; exit 1; }
  names+=("$name")
done
running=0
for line in "${targets[@]}"; do
  read -r name program seeds <<<"$line"
  if [ "$running" -ge "$jobs" ]; then wait -n || true; running=$((running - 1)); fi
  fuzz "$name" "$program" "$seeds" &
  running=$((running + 1))
done
wait
status=0
for name in "${names[@]}"; do verdict "$name" || status=1; done
exit $status
