#!/usr/bin/env bash
# Starts the main window on Wine virtual desktops of 800 × 600, 1024 × 768 and 1600 × 1200 and keeps
# what main_window_shots saw there: OUTDIR/main-WxH-window.png, -screen.png and .txt.
#   main-window-shots.sh STATE_DIR main_window_shots.exe OUTDIR
set -euo pipefail
state=$(cd "${1:?usage: main-window-shots.sh STATE_DIR EXE OUTDIR}" && pwd)
exe=${2:?}
out=${3:?}
here=$(cd "$(dirname "$0")" && pwd)
run="$here/../../tools/wine/run.sh"
mkdir -p "$out"
export WINEPREFIX="$state/prefix"
failed=0
for size in 800x600 1024x768 1600x1200; do
  prefix="$out/main-$size"
  rm -f "$prefix.txt" "$prefix"-*.bmp "$prefix"-*.png
  win_prefix=$(WINEPREFIX="$state/prefix" winepath -w "$prefix" 2>/dev/null)
  # A desktop of its own per size; the program ends by itself, the desktop goes with the session.
  "$run" "$state" explorer "/desktop=QuendrelSize$size,$size" "$exe" "$win_prefix" </dev/null >/dev/null 2>&1 &
  pid=$!
  for _ in $(seq 1 120); do
    grep -q '^result ' "$prefix.txt" 2>/dev/null && break
    sleep 0.5
  done
  wait "$pid" 2>/dev/null || true
  if ! grep -q '^result ok' "$prefix.txt" 2>/dev/null; then
    echo "== $size: FAILED"; failed=1
  fi
  echo "== $size"; cat "$prefix.txt" 2>/dev/null || echo "(no report)"
  for shot in window screen; do
    [ -f "$prefix-$shot.bmp" ] && convert "$prefix-$shot.bmp" "$prefix-$shot.png" && rm -f "$prefix-$shot.bmp"
  done
done
exit $failed
