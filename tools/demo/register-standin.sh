#!/usr/bin/env bash
# Registers the stand-in mail client in a Wine session, so that ShellExecute("open", "msimn.exe")
# starts it. Wine honours "App Paths" only under HKLM (not HKCU).
#   register-standin.sh STATE_DIR MSIMN_EXE
# STATE_DIR is a session of tools/wine/session.sh; MSIMN_EXE is the built msimn.exe (a Unix path).
set -euo pipefail
state=${1:?usage: register-standin.sh STATE_DIR MSIMN_EXE}
exe=${2:?usage: register-standin.sh STATE_DIR MSIMN_EXE}
[ -f "$exe" ] || { echo "register-standin: no such file: $exe" >&2; exit 1; }
state=$(cd "$state" && pwd)
exe=$(cd "$(dirname "$exe")" && pwd)/$(basename "$exe")
[ -d "$state/prefix" ] || { echo "register-standin: no Wine prefix in $state (session.sh up first)" >&2; exit 1; }

export WINEPREFIX="$state/prefix" WINEDEBUG=-all WINEARCH=win64
export WINEDLLOVERRIDES="winealsa.drv=d;mscoree=d;mshtml=d"
[ -f "$state/display" ] && export DISPLAY=$(cat "$state/display")

winexe=$(winepath -w "$exe" 2>/dev/null </dev/null)
[ -n "$winexe" ] || { echo "register-standin: winepath could not map $exe" >&2; exit 1; }
key='HKLM\Software\Microsoft\Windows\CurrentVersion\App Paths\msimn.exe'
wine reg add "$key" /ve /t REG_SZ /d "$winexe" /f </dev/null >/dev/null 2>&1
wine reg add "$key" /v Path /t REG_SZ /d "${winexe%\\*}" /f </dev/null >/dev/null 2>&1
# The folder manager it serves: class and type library (HKLM; Wine ignores per-user classes).
wine "$exe" --regserver </dev/null >/dev/null 2>&1 || echo "register-standin: --regserver failed" >&2
echo "registered msimn.exe -> $winexe"
