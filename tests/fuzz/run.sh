#!/usr/bin/env bash
# Runs every fuzzer of a native fuzz build (store reader, theme files) for a bounded time on a copy of the seed corpus.
#   tests/fuzz/run.sh BUILD_DIR SECONDS
# Fails when a target crashes, hangs (5 s per input), leaks, exceeds 2 GB or reports a sanitizer error.
set -euo pipefail
build=${1:?usage: run.sh BUILD_DIR SECONDS}
seconds=${2:?usage: run.sh BUILD_DIR SECONDS}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# One fuzzer per target, side by side (one core each), then their verdicts in order.
target() { case $1 in theme) echo fuzz_theme ;; *) echo "fuzz_dbx_$1" ;; esac; }
fuzz() {  # kind
  local kind=$1 target="$build/tests/fuzz/$(target "$1")"
  local corpus="$work/$kind/corpus" artifacts="$work/$kind/artifacts/" log="$work/$kind/log" rc=0
  mkdir -p "$corpus" "$artifacts"
  cp "$here/corpus/$kind/"* "$corpus/"
  "$target" "$corpus" -max_total_time="$seconds" -timeout=5 -rss_limit_mb=2048 -detect_leaks=1 \
    -artifact_prefix="$artifacts" -print_final_stats=1 >"$log" 2>&1 || rc=$?
  echo "$rc" >"$work/$kind/rc"
}
verdict() {  # kind; fails on a finding
  local kind=$1 corpus="$work/$1/corpus" artifacts="$work/$1/artifacts/" log="$work/$1/log"
  local rc runs found
  rc=$(cat "$work/$kind/rc")
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo "?")
  found=$(ls -A "$artifacts" | wc -l)
  if [ "$rc" -ne 0 ] || [ "$found" -ne 0 ] || grep -q 'ERROR: \(AddressSanitizer\|LeakSanitizer\|libFuzzer\)\|runtime error:' "$log"; then
    echo "$(target "$kind"): FAILED (exit $rc, $found artifacts)"
    tail -40 "$log"
    mkdir -p "$build/fuzz-artifacts" && cp -r "$artifacts" "$build/fuzz-artifacts/$kind" 2>/dev/null || true
    return 1
  fi
  echo "$(target "$kind"): ok, $runs executions in ${seconds}s, corpus $(ls "$corpus" | wc -l) files"
}

kinds=(messages folders theme)
for kind in "${kinds[@]}"; do
  [ -x "$build/tests/fuzz/$(target "$kind")" ] || {
    echo "run.sh: $build/tests/fuzz/$(target "$kind") missing (configure with -DQUENDREL_FUZZ=ON)" >&2; exit 1; }
done
for kind in "${kinds[@]}"; do fuzz "$kind" & done
wait
status=0
for kind in "${kinds[@]}"; do verdict "$kind" || status=1; done
exit $status
