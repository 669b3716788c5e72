#!/usr/bin/env bash
# Runs every test of Quendrel:
#   1. the 64-bit Windows build (MinGW-w64), its tests under Wine (own prefix, Xvfb when there is no display),
#      some of them also in a prefix that reports XP x64; the shipped programs' imports checked against XP x64;
#   2. the 32-bit Windows build, tests included, built but not run (Wine here runs 64-bit programs only): its
#      shipped programs' and installer's imports checked against 32-bit XP;
#   3. the portable code built natively with clang, AddressSanitizer and UndefinedBehaviorSanitizer;
#   4. the fuzz targets (store reader, theme-file reader, image decoders) for a bounded time (QUENDREL_FUZZ_SECONDS per
#      target, default 60; one per core at a time).
# Ends with one summary line "N passed, N failed" and a non-zero exit on any failure.
set -uo pipefail
root=$(cd "$(dirname "$0")" && pwd)
build=${QUENDREL_BUILD:-$root/build}
fuzz_seconds=${QUENDREL_FUZZ_SECONDS:-60}
jobs=${QUENDREL_JOBS:-$(nproc)}
passed=0 failed=0 broken=()

"$root/tools/setup.sh" || exit 1

stage() { printf '\n=== %s\n' "$*"; }
# Adds the counts of ctest's closing line to the totals.
count_ctest() {
  local line p f
  line=$(grep -E '[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$1" | tail -1)
  if [ -z "$line" ]; then broken+=("$2: no test summary"); failed=$((failed + 1)); return; fi
  f=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
  p=$(( $(sed -E 's/.* failed out of ([0-9]+).*/\1/' <<<"$line") - f ))
  passed=$((passed + p)); failed=$((failed + f))
  [ "$f" = 0 ] || broken+=("$2: $f failed")
}
run_ctest() {  # name build-dir
  local log="$2/ctest.log"
  ctest --test-dir "$2" --output-on-failure --timeout 600 2>&1 | tee "$log"
  count_ctest "$log" "$1"
}
configure_build() {  # name dir [--target TARGET] cmake-args...; without a target it builds everything
  local name=$1 dir=$2 target=(); shift 2
  if [ "${1:-}" = --target ]; then target=(--target "$2"); shift 2; fi
  if ! cmake -S "$root" -B "$dir" -G Ninja "$@" >"$dir.configure.log" 2>&1; then
    cat "$dir.configure.log"; broken+=("$name: configure failed"); failed=$((failed + 1)); return 1
  fi
  if ! cmake --build "$dir" "${target[@]}" -j "$jobs" >"$dir.build.log" 2>&1; then
    tail -n 60 "$dir.build.log"; broken+=("$name: build failed"); failed=$((failed + 1)); return 1
  fi
  echo "built $name ($(grep -c '^\[' "$dir.build.log") steps)"
}
mkdir -p "$build"

stage "64-bit Windows build, tests under Wine"
if configure_build windows "$build/win" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake"; then
  run_ctest windows "$build/win"
fi

stage "32-bit Windows build, built and checked (not run)"
if configure_build windows32 "$build/win32" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-i686.cmake"; then
  run_ctest windows32 "$build/win32"
fi

stage "Native build with AddressSanitizer and UndefinedBehaviorSanitizer"
if CC=clang CXX=clang++ configure_build sanitizers "$build/native-asan" -DQUENDREL_SANITIZE=ON; then
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 run_ctest sanitizers "$build/native-asan"
fi

if [ -x "$root/tests/fuzz/run.sh" ] && [ "$fuzz_seconds" != 0 ]; then
  stage "Fuzzing (${fuzz_seconds} s per target)"
  # Only the fuzz programs: the tests and tools of this tree were built and run with sanitizers above.
  if CC=clang CXX=clang++ configure_build fuzz "$build/fuzz" --target fuzz_targets \
       -DQUENDREL_SANITIZE=ON -DQUENDREL_FUZZ=ON; then
    if "$root/tests/fuzz/run.sh" "$build/fuzz" "$fuzz_seconds"; then
      passed=$((passed + 1))
    else
      failed=$((failed + 1)); broken+=("fuzz: findings (see above)")
    fi
  fi
fi

echo
for b in "${broken[@]}"; do echo "FAILED: $b"; done
echo "$passed passed, $failed failed"
[ "$failed" = 0 ] && [ ${#broken[@]} = 0 ]
