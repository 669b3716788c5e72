#!/usr/bin/env bash
# A Wine session for tests and demos: its own prefix, a display, and a warm persistent wineserver.
#   session.sh up STATE_DIR [--own-display] [--windows VERSION]
#                                             create or reuse STATE_DIR/prefix, pick a display, start the server;
#                                             --windows: the Windows the prefix reports to its programs, as
#                                             winecfg names it (winxp64: XP x64 / Server 2003 x64, NT 5.2)
#   session.sh down STATE_DIR                 stop only what 'up' started
# The display is the real $DISPLAY when one answers, else an Xvfb of our own. With --own-display (the
# tests) it is always an Xvfb of our own, so that focus and input stay out of the user's desktop,
# unless QUENDREL_TEST_REAL_DISPLAY=1 asks for the real one. Everything started in
# the background has its standard streams on /dev/null: a wineserver or Wine helper that inherited a
# test runner's pipe would keep the runner waiting for end-of-file.
set -euo pipefail
cmd=${1:?usage: session.sh up|down STATE_DIR}
state=${2:?usage: session.sh up|down STATE_DIR}
use_real_display=yes windows=""
shift 2
while [ $# -gt 0 ]; do
  case "$1" in
    --own-display) [ "${QUENDREL_TEST_REAL_DISPLAY:-0}" = 1 ] || use_real_display=no ;;
    --windows) windows=${2:?--windows needs a version}; shift ;;
    *) echo "session: unknown option $1" >&2; exit 2 ;;
  esac
  shift
done
mkdir -p "$state"
state=$(cd "$state" && pwd)
export WINEPREFIX="$state/prefix" WINEDEBUG=-all WINEARCH=win64 WINEDLLOVERRIDES="winealsa.drv=d;mscoree=d;mshtml=d"

display_answers() { DISPLAY="$1" xdpyinfo >/dev/null 2>&1; }

up() {
  local display=""
  # A session that is up already is reused (its Xvfb included), never started a second time.
  # A session of the real display is not reused when an own one is asked for.
  if [ -f "$state/display" ] && display_answers "$(cat "$state/display")" &&
     { [ "$use_real_display" = yes ] || [ -f "$state/xvfb.pid" ]; }; then
    display=$(cat "$state/display")
  elif [ "$use_real_display" = yes ] && [ -n "${DISPLAY:-}" ] && display_answers "$DISPLAY"; then
    display=$DISPLAY
  else
    local n
    for n in $(seq 91 140); do
      [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
      Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
      echo $! > "$state/xvfb.pid"
      local i
      for i in $(seq 1 50); do display_answers ":$n" && break; sleep 0.1; done
      if display_answers ":$n"; then display=":$n"; break; fi
      kill "$(cat "$state/xvfb.pid")" 2>/dev/null || true; rm -f "$state/xvfb.pid"
    done
    [ -n "$display" ] || { echo "session: no display and Xvfb would not start" >&2; exit 1; }
  fi
  echo "$display" > "$state/display"
  export DISPLAY=$display
  if [ ! -f "$WINEPREFIX/.quendrel-ready" ]; then
    wineboot --init </dev/null >/dev/null 2>&1
    wineserver -w
    # Windows without a window manager still get their frames drawn by Wine itself.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f </dev/null >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f </dev/null >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.quendrel-ready"
  fi
  # A crashing program must end (its test fails), not wait for someone to close Wine's crash dialog.
  # Checked apart from the marker above, so prefixes made before this setting get it too.
  if ! grep -q '"ShowCrashDialog"=dword:00000000' "$WINEPREFIX/user.reg" 2>/dev/null; then
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f </dev/null >/dev/null 2>&1
    wineserver -w
  fi
  # The Windows version programs are told (GetVersionEx) comes from HKLM\Software\Wine "Version", read
  # at each program's start; winecfg also writes the version keys of the registry that programs may read.
  if [ -n "$windows" ] && ! grep -q "\"Version\"=\"$windows\"" "$WINEPREFIX/system.reg" 2>/dev/null; then
    wine winecfg -v "$windows" </dev/null >/dev/null 2>&1
    wine reg add 'HKLM\Software\Wine' /v Version /t REG_SZ /d "$windows" /f </dev/null >/dev/null 2>&1
    wineserver -w
  fi
  # Debian's fonts-wine (MS Sans Serif, Tahoma) does not reach a new prefix's Fonts folder by
  # itself, and without them every face falls back to DejaVu Sans.
  if [ -d /usr/share/wine/fonts ] && [ -d "$WINEPREFIX/drive_c/windows/Fonts" ]; then
    cp -n /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  fi
  # Fails when the prefix's server runs already, which is just as good.
  wineserver -p </dev/null >/dev/null 2>&1 || true
  # Warm the prefix: the first program start also brings up Wine's helper processes.
  wine cmd /c exit </dev/null >/dev/null 2>&1 || true
  echo "wine session up: prefix $WINEPREFIX, display $display"
}

down() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -f "$state/xvfb.pid" ]; then
    kill "$(cat "$state/xvfb.pid")" 2>/dev/null || true
    rm -f "$state/xvfb.pid"
  fi
  rm -f "$state/display"
  echo "wine session down"
}

case "$cmd" in
  up) up ;;
  down) down ;;
  *) echo "usage: session.sh up|down STATE_DIR" >&2; exit 2 ;;
esac
