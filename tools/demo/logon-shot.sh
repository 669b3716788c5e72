#!/usr/bin/env bash
# Quendrel started at logon ("startwork" on) where no folder manager answers, on a Wine desktop with a
# taskbar, as a user meets it: the note about the folder manager as the tray icon's balloon and the
# first check's popups, nothing in front of the user's windows. Saves a screenshot once the balloon
# has had time to come up (Wine's shell shows it about 2.7 s after the program asks):
#   tools/demo/logon-shot.sh [BUILD_DIR]   (default build/win; needs quendrel and quendrel-dbxgen built)
# Writes build/demo/logon/logon-balloon.png, in a Wine prefix of its own (build/demo/logon/wine).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:-$root/build/win}" && pwd)
out=$root/build/demo/logon
state=$out/wine
mkdir -p "$out"
"$root/tools/wine/session.sh" up "$state" --own-display >/dev/null
export WINEPREFIX=$state/prefix WINEDEBUG=-all WINEARCH=win64 WINEDLLOVERRIDES="winealsa.drv=d;mscoree=d;mshtml=d"
DISPLAY=$(cat "$state/display")
export DISPLAY
# Only this prefix's programs, then the Xvfb the session started.
trap '"$root/tools/wine/session.sh" down "$state" >/dev/null 2>&1 || true' EXIT
. "$root/tools/demo/wine-registry.sh"

store_win='C:\QuendrelLogon\Store'
rm -rf "$WINEPREFIX/drive_c/QuendrelLogon"
mkdir -p "$WINEPREFIX/drive_c/QuendrelLogon/Store"
quiet wine "$build/tools/dbxgen/quendrel-dbxgen.exe" --messages 5 --unread 2 --seed 1 "$store_win\\Inbox.dbx"
quiet wine "$build/tools/dbxgen/quendrel-dbxgen.exe" --messages 6 --unread 1 --seed 4 "$store_win\\Work.dbx"
reg_add 'HKCU\Software\Microsoft\Outlook Express' /v 'Store Root' /t REG_SZ /d "$store_win"
quiet wine reg delete 'HKCU\SOFTWARE\Quendrel' /f || true
for value in startwork:1 alwaysoe:0 alwaysreceive:0 hideoe:0 alwayssound:0; do
  reg_add 'HKCU\SOFTWARE\Quendrel' /v "${value%:*}" /t REG_DWORD /d "${value#*:}"
done
watch_folders Inbox Work
# A desktop with Wine's taskbar and its notification area (off by default for a named desktop).
reg_add 'HKCU\Software\Wine\Explorer\Desktops\Logon' /v EnableShell /t REG_DWORD /d 1
size=$(xdpyinfo | awk '/dimensions:/ {print $2}')
wine explorer "/desktop=Logon,$size" "$build/app/quendrel.exe" </dev/null >/dev/null 2>&1 &
sleep 5
import -window root "$out/logon-balloon.png"
echo "screenshot: $out/logon-balloon.png"
