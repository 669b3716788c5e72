#!/usr/bin/env bash
# Runs one Windows program in the Wine session of STATE_DIR (see session.sh), passing its exit code on.
#   run.sh STATE_DIR PROGRAM.exe [ARGS...]
set -euo pipefail
state=${1:?usage: run.sh STATE_DIR PROGRAM [ARGS...]}
shift
state=$(cd "$state" && pwd)
[ -f "$state/display" ] || { echo "run.sh: no Wine session in $state (session.sh up first)" >&2; exit 1; }
export WINEPREFIX="$state/prefix" WINEDEBUG=${WINEDEBUG:--all} WINEARCH=win64
export WINEDLLOVERRIDES="winealsa.drv=d;mscoree=d;mshtml=d"
export DISPLAY=$(cat "$state/display")
exec wine "$@"
