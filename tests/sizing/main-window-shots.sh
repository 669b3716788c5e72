#!/usr/bin/env bash
# Starts the main window on Wine virtual desktops of 800 × 600, 1024 × 768 and 1600 × 1200 and keeps
# what main_window_shots saw there: OUTDIR/main-WxH-window.png, -screen.png and .txt.
#   main-window-shots.sh STATE_DIR main_window_shots.exe OUTDIR
set -euo pipefail
state=$(cd "${1:?usage: main-window-shots.sh STATE_DIR EXE OUTDIR}" && pwd)
exe=${2:?}
out=${3:?}
mkdir -p "$out"
export WINEPREFIX="$state/prefix"
failed=0
xvfb_pid=
trap '[ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true' EXIT
for size in 800x600 1024x768 1600x1200; do
  prefix="$out/main-$size"
  rm -f "$prefix.txt" "$prefix"-*.bmp "$prefix"-*.png
  win_prefix=$(WINEPREFIX="$state/prefix" winepath -w "$prefix" 2>/dev/null)
  # A desktop of its own per size; the program ends by itself, the desktop goes with the session.
  # A desktop larger than the session's display would be cut off in the picture: those get an
  # Xvfb of their own, a little larger than the desktop.
  display=$(cat "$state/display")
  read -r dw dh < <(DISPLAY=$display xdpyinfo | awk '/dimensions:/ {split($2, d, "x"); print d[1], d[2]}')
  if [ "${size%x*}" -gt "$dw" ] || [ "${size#*x}" -gt "$dh" ]; then
    for n in $(seq 150 199); do [ -e "/tmp/.X$n-lock" ] || break; done
    Xvfb ":$n" -screen 0 "$((${size%x*} + 64))x$((${size#*x} + 64))x24" -nolisten tcp </dev/null >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 1 50); do DISPLAY=":$n" xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
    display=":$n"
  fi
  (export WINEDEBUG=-all WINEARCH=win64 WINEDLLOVERRIDES="winealsa.drv=d;mscoree=d;mshtml=d" DISPLAY=$display
   exec wine explorer "/desktop=QuendrelSize$size,$size" "$exe" "$win_prefix") </dev/null >/dev/null 2>&1 &
  pid=$!
  for _ in $(seq 1 120); do
    grep -q '^result ' "$prefix.txt" 2>/dev/null && break
    sleep 0.5
  done
  wait "$pid" 2>/dev/null || true
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; xvfb_pid=; fi
  if ! grep -q '^result ok' "$prefix.txt" 2>/dev/null; then
    echo "== $size: FAILED"; failed=1
  fi
  echo "== $size"; cat "$prefix.txt" 2>/dev/null || echo "(no report)"
  for shot in window screen; do
    [ -f "$prefix-$shot.bmp" ] && convert "$prefix-$shot.bmp" "$prefix-$shot.png" && rm -f "$prefix-$shot.bmp"
  done
done
exit $failed
